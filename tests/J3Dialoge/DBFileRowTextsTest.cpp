#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "J3Dialoge/DBFileRowTexts.h"
#include "vkbasis/StringUtils.h"

namespace {

using winpath::path;

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

TEST_F(DBFileRowTextsTest, FillsTheCellsOfFileAndDirectoryRows)
{
    const DBFileEntry file{path(L"C:\\P\\Data\\brief.txt"), {false, 1796371507, 2048}};
    EXPECT_EQ(CDBFileRowTexts::NameCell(file), "brief.txt");
    EXPECT_EQ(CDBFileRowTexts::LastChangeCell(file), "04.12.2026  09:05:07");
    EXPECT_EQ(CDBFileRowTexts::SizeCell(file), BytesToString(2048.0));
    EXPECT_FALSE(CDBFileRowTexts::SizeCell(file).IsEmpty());

    const DBFileEntry dir{path(L"C:\\P\\Data\\sub"), {true, 1796371507, 4096}};
    EXPECT_EQ(CDBFileRowTexts::NameCell(dir), "sub\\");
    EXPECT_EQ(CDBFileRowTexts::LastChangeCell(dir), "");
    EXPECT_EQ(CDBFileRowTexts::SizeCell(dir), "");

    const DBFileEntry root{path(L"C:\\P\\Data"), {true, 0, 0}};
    EXPECT_EQ(CDBFileRowTexts::NameCell(root), "Data\\");
}

} // namespace
