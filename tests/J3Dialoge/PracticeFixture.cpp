#include "PracticeFixture.h"

#include "vkdb/VKDatabase.h"

void PracticeFixture::CreateDatabase()
{
    ASSERT_TRUE(dbDatabase.Create(File())) << dbDatabase.GetLastError().GetString();
}
