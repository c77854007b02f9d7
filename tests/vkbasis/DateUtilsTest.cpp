#include "vkbasis/DateUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

TEST(Db2Date, TurnsDatabaseDatesIntoDisplayForm)
{
    struct Case { const char* dbDate; const char* expected; };
    const Case cases[] = {
        {"20240229", "29.02.2024"},  // leap year
        {"20000229", "29.02.2000"},  // divisible by 400
        {"00011231", "31.12.0001"},  {" 19991231 ", "31.12.1999"},
        {"19000229", ""},            // divisible by 100, not by 400
        {"20240431", ""}, {"20241301", ""}, {"00001231", ""}, {"202401311", ""}, {"+2024013", ""}, {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Db2Date(CString(c.dbDate)), c.expected) << '"' << c.dbDate << '"';
}

class StechUhrInBerlin : public testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_hadTz = tz != nullptr;
        if (m_hadTz)
            m_oldTz = tz;
        // German time without relying on installed zone files.
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hadTz)
            setenv("TZ", m_oldTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_hadTz = false;
    std::string m_oldTz;
};

TEST_F(StechUhrInBerlin, StampIsLocalTimeAsFourteenDigits)
{
    struct Case { std::time_t moment; const char* expected; };
    const Case cases[] = {
        {0, "19700101010000"},           // winter time, UTC+1
        {1719835199, "20240701135959"},  // 2024-07-01 11:59:59 UTC, summer time
        {1709251199, "20240301005959"},  // 2024-02-29 23:59:59 UTC
    };
    for (const Case& c : cases)
        EXPECT_EQ(StechUhrOf(c.moment), c.expected) << c.moment;
}

TEST(GetStechUhr, GivesTheCurrentMoment)
{
    const std::time_t before = std::time(nullptr);
    const CString stamp = GetStechUhr();
    const std::time_t after = std::time(nullptr);
    EXPECT_TRUE(stamp == StechUhrOf(before) || stamp == StechUhrOf(after)) << stamp;
}

} // namespace
