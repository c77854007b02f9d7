#include "PracticeFile.h"

void PracticeFile::SetUp()
{
    ASSERT_TRUE(db.Create(Location())) << db.GetLastError().GetString();
}
