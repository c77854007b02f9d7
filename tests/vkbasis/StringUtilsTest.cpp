#include "vkbasis/StringUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<std::string> Split(const char* text, bool dropEmptyLast)
{
    std::vector<CString> pieces{CString("left over")};
    const int count = SeparatedStrToVec(CString(text), '|', pieces, dropEmptyLast);
    EXPECT_EQ(count, static_cast<int>(pieces.size()));
    std::vector<std::string> result;
    for (const CString& piece : pieces)
        result.push_back(piece.str());
    return result;
}

TEST(SeparatedStrToVec, SplitsAtEverySeparator)
{
    using Pieces = std::vector<std::string>;
    struct Case { const char* text; bool dropEmptyLast; Pieces expected; };
    const Case cases[] = {
        {"12|34|", true, {"12", "34"}}, {"12|34|", false, {"12", "34", ""}}, {"a||b", true, {"a", "", "b"}},
        {"|", true, {""}},               {"single", true, {"single"}},          {"", false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.text, c.dropEmptyLast), c.expected) << '"' << c.text << "\" drop " << c.dropEmptyLast;
}

TEST(GetMidStr, NegativeCountTakesTheRest)
{
    struct Case { const char* text; int first; int count; const char* expected; };
    const Case cases[] = {
        {"dps012", 3, -1, "012"}, {"dps012", 3, 2, "01"}, {"dps012", 9, -1, ""}, {"dps012", -2, 2, "dp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetMidStr(CString(c.text), c.first, c.count), c.expected) << c.text << " " << c.first << " " << c.count;
}

TEST(PutMidStr, OverwritesCountCharacters)
{
    struct Case { const char* target; int pos; const char* text; int count; const char* expected; };
    const Case cases[] = {
        {"abcdef", 2, "XY", -1, "abXYef"}, {"abcdef", 2, "XYZ", 1, "abXdef"}, {"abcdef", 2, "X", 3, "abX  f"},
        {"abcdef", 4, "XYZ", -1, "abcdXYZ"}, {"ab", 4, "X", -1, "ab  X"},     {"abcdef", -3, "XY", -1, "XYcdef"},
    };
    for (const Case& c : cases) {
        CString target(c.target);
        PutMidStr(target, c.pos, CString(c.text), c.count);
        EXPECT_EQ(target, c.expected) << c.target << " " << c.pos << " " << c.text << " " << c.count;
    }
}

TEST(FillTail, PadsButNeverCuts)
{
    struct Case { const char* text; int length; char fill; const char* expected; };
    const Case cases[] = {
        {"abc", 5, ' ', "abc  "}, {"abcdef", 3, ' ', "abcdef"}, {"", 2, '0', "00"}, {"x", -1, ' ', "x"},
    };
    for (const Case& c : cases) {
        CString text(c.text);
        EXPECT_EQ(FillTail(text, c.length, c.fill), c.expected) << c.text;
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(BytesToString, GermanTextPerUnit)
{
    struct Case { double bytes; const char* expected; };
    const Case cases[] = {
        {1, "1 Byte"},          {1023.4, "1023 Bytes"},           {1023.6, "1,0 KB"},
        {1024, "1,0 KB"},       {1024 * 1024 - 52, "1023,9 KB"}, {1024 * 1024 - 51, "1,0 MB"},
        {2.25 * 1024 * 1024 * 1024, "2,3 GB"},  {2048.0 * 1024 * 1024 * 1024 * 1024, "2048,0 TB"},
        {-1, ""},               {std::nan(""), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BytesToString(c.bytes), c.expected) << c.bytes;
}

} // namespace
