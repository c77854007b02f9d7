#include "PracticeFixture.h"

#include "vkdb/VKDatabase.h"

void PracticeFixture::CreateDatabase()
{
    ASSERT_TRUE(dbDatabase.Create(DatabaseFile())) << dbDatabase.GetLastError().GetString();
}
