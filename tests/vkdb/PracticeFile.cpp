#include "PracticeFile.h"

void PracticeFile::SetUp()
{
    ASSERT_TRUE(db.Create(File())) << db.GetLastError().GetString();
}
