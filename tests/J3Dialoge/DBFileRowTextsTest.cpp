#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "J3Dialoge/DBFileRowTexts.h"

namespace {

class DBFileRowTextsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* zone = std::getenv("TZ");
        m_savedZone = zone ? zone : "";
        m_hadZone = zone != nullptr;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hadZone)
            setenv("TZ", m_savedZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_savedZone;
    bool m_hadZone = false;
};

struct STimeCase {
    std::int64_t time;
    const char* text;
};

TEST_F(DBFileRowTextsTest, FormatsLocalTimesAndLeavesUnshowableTimesEmpty)
{
    const std::vector<STimeCase> cases = {
        {1796371507, "04.12.2026  09:05:07"},   // winter time, UTC+1
        {1782900000, "01.07.2026  12:00:00"},   // summer time, UTC+2
        {0, ""},
        {-1, ""},
        {-86400LL * 365 * 100, ""},
        {32535215999, "01.01.3001  00:59:59"},  // 3000-12-31 23:59:59 UTC, the last second shown
        {32535216000, ""},
        {INT64_MAX, ""},
        {INT64_MIN, ""},
    };
    for (const STimeCase& c : cases)
        EXPECT_EQ(CDBFileRowTexts::FormatLastWriteTime(c.time), c.text) << c.time;
}

struct SRowCase {
    const char* name;
    SFileAttributes attributes;
    std::vector<std::string> cells; // name, last change, size
};

TEST_F(DBFileRowTextsTest, FillsTheCellsOfFileAndDirectoryRows)
{
    const std::vector<SRowCase> cases = {
        {"brief.txt", {false, 1796371507, 1536}, {"brief.txt", "04.12.2026  09:05:07", "1,5 KB"}},
        {"leer", {false, 0, 1}, {"leer", "", "1 Byte"}},
        {"sub", {true, 1796371507, 4096}, {"sub\\", "", ""}},
        {"Data", {true, 0, 0}, {"Data\\", "", ""}},
    };
    for (const SRowCase& c : cases)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(CDBFileRowTexts::Cell(column, c.name, c.attributes), c.cells[column]) << c.name << column;
}

} // namespace
