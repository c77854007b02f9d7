#include "PracticeFixture.h"

#include "dbdll/JParPool.h"
#include "vkdb/VKDatabase.h"

void PracticeFixture::CreateDatabase()
{
    ASSERT_TRUE(dbDatabase.Create(File())) << dbDatabase.GetLastError().GetString();
}

void PracticeFixture::WriteParameter(const std::string& number, const std::string& key, const std::string& value)
{
    CJParPool pool(&dbDatabase, nullptr);
    pool.m_strNr = number;
    pool.m_strKey = key;
    const bool found = pool.GetByK1(0) == CVKRSet::FOUND;
    pool.m_strValue = value;
    EXPECT_TRUE(found ? pool.Rewrite("") : pool.Write("")) << key;
}
