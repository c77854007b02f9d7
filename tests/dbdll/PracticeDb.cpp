#include "PracticeDb.h"

#include "dbdll/PracticeDatabase.h"
#include "vkdb/VKDatabase.h"

void PracticeDb::SetUp()
{
    ASSERT_TRUE(dbDatabase.Create(Location())) << dbDatabase.GetLastError().GetString();
    CString error;
    ASSERT_TRUE(CPracticeDatabase::Open(Location(), error)) << error.GetString();
}

void PracticeDb::TearDown()
{
    CPracticeDatabase::Close();
}
