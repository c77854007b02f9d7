#include "vkbasis/DateUtils.h"
#include "vkbasis/StringUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <vector>

namespace {

TEST(StringUtilsTest, SeparatedTextsSplitAtEverySeparator)
{
    const struct { const char* text; bool dropEmptyLast; std::vector<CString> expected; } cases[] = {
        {"12|34|", true, {"12", "34"}}, {"12|34|", false, {"12", "34", ""}}, {"a||b", true, {"a", "", "b"}},
        {"|", true, {""}},              {"single", true, {"single"}},         {"", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<CString> pieces{CString("left over")};
        EXPECT_EQ(SeparatedStrToVec(CString(c.text), '|', pieces, c.dropEmptyLast), int(c.expected.size())) << c.text;
        EXPECT_EQ(pieces, c.expected) << '"' << c.text << "\" drop " << c.dropEmptyLast;
    }
}

TEST(StringUtilsTest, PiecesAreTakenPutAndPadded)
{
    const struct { CString actual; const char* expected; } taken[] = {
        {GetMidStr("dps012", 3, -1), "012"}, {GetMidStr("dps012", 3, 2), "01"}, {GetMidStr("dps012", 9, -1), ""},
        {GetMidStr("dps012", -2, 2), "dp"},
    };
    for (const auto& c : taken)
        EXPECT_EQ(c.actual, c.expected);

    const struct { const char* target; int pos; const char* text; int count; const char* expected; } put[] = {
        {"abcdef", 2, "XY", -1, "abXYef"},   {"abcdef", 2, "XYZ", 1, "abXdef"}, {"abcdef", 2, "X", 3, "abX  f"},
        {"abcdef", 4, "XYZ", -1, "abcdXYZ"}, {"ab", 4, "X", -1, "ab  X"},       {"abcdef", -3, "XY", -1, "XYcdef"},
    };
    for (const auto& c : put) {
        CString target(c.target);
        PutMidStr(target, c.pos, CString(c.text), c.count);
        EXPECT_EQ(target, c.expected) << c.target << " " << c.pos << " " << c.text << " " << c.count;
    }

    // Padding never cuts.
    const struct { const char* text; int length; char fill; const char* expected; } padded[] = {
        {"abc", 5, ' ', "abc  "}, {"abcdef", 3, ' ', "abcdef"}, {"", 2, '0', "00"}, {"x", -1, ' ', "x"}};
    for (const auto& c : padded) {
        CString text(c.text);
        EXPECT_EQ(FillTail(text, c.length, c.fill), c.expected) << c.text;
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(StringUtilsTest, SizesAndDatesAreShownInGerman)
{
    const struct { double bytes; const char* expected; } sizes[] = {
        {1, "1 Byte"},    {1023.4, "1023 Bytes"},         {1023.6, "1,0 KB"},
        {1024, "1,0 KB"}, {1024 * 1024 - 52, "1023,9 KB"}, {1024 * 1024 - 51, "1,0 MB"},
        {2.25 * 1024 * 1024 * 1024, "2,3 GB"}, {2048.0 * 1024 * 1024 * 1024 * 1024, "2048,0 TB"},
        {-1, ""},         {std::nan(""), ""},
    };
    for (const auto& c : sizes)
        EXPECT_EQ(BytesToString(c.bytes), c.expected) << c.bytes;

    const struct { const char* dbDate; const char* expected; } dates[] = {
        {"20240229", "29.02.2024"}, {"20000229", "29.02.2000"}, {"00011231", "31.12.0001"},
        {" 19991231 ", "31.12.1999"},
        {"19000229", ""},  // divisible by 100, not by 400
        {"20240431", ""}, {"20241301", ""}, {"00001231", ""}, {"202401311", ""}, {"+2024013", ""}, {"", ""},
    };
    for (const auto& c : dates)
        EXPECT_EQ(Db2Date(CString(c.dbDate)), c.expected) << '"' << c.dbDate << '"';
}

TEST(StringUtilsTest, TimeStampIsLocalTimeAsFourteenDigits)
{
    // German time without relying on installed zone files; the test program
    // keeps it from here on.
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    const struct { std::time_t moment; const char* expected; } cases[] = {
        {0, "19700101010000"},           // winter time, UTC+1
        {1719835199, "20240701135959"},  // 2024-07-01 11:59:59 UTC, summer time
        {1709251199, "20240301005959"},  // 2024-02-29 23:59:59 UTC
    };
    for (const auto& c : cases)
        EXPECT_EQ(StechUhrOf(c.moment), c.expected) << c.moment;

    const std::time_t before = std::time(nullptr);
    const CString stamp = GetStechUhr();
    const std::time_t after = std::time(nullptr);
    EXPECT_TRUE(stamp == StechUhrOf(before) || stamp == StechUhrOf(after)) << stamp;
}

} // namespace
