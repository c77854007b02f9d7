#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "J3Dialoge/DBFileTypeFilter.h"

namespace {

TEST(DBFileTypeFilterTest, AbsentFilterTextHasNoPairsAndPassesNoFile)
{
    const char* nullText = nullptr;
    for (const CDBFileTypeFilter& filter : {CDBFileTypeFilter(&nullText), CDBFileTypeFilter(nullptr)}) {
        EXPECT_TRUE(filter.ParseOFNFilters().empty());
        EXPECT_FALSE(filter.FileMatchesAnyFilter(std::string_view("a.txt")));
    }
}

struct SMatchCase {
    std::string filter;
    std::string name;
    bool passes;
};

// Characters that a regular expression treats specially stand for
// themselves: such a filter must neither stop the program nor invent matches.
// A pattern of 64 literal characters or more is matched in several words.
TEST(DBFileTypeFilterTest, MatchesNamesAgainstPatternLists)
{
    const std::string many(70, 'a');
    const std::string longPattern = "L|" + many + "*" + many;
    const std::vector<SMatchCase> cases = {
        {"Text|*.txt;*.log||", "b.log", true},       {"Text (*.txt)|*.txt; *.log|Alle (*.*)|*.*||", "a.doc", true},
        {"Alle|*.*", "zeile\numbruch", true},        {"Leer|  ;  ; ", "a", false},
        {"C|*.c++", "main.c++", true},               {"K|[ab].txt", "a.txt", false},
        {"F|a{2}", "aa", false},                     {"Q|a?c", "abc", false},
        {"B|a\\d", "a1", false},                     {"U|(", "(", true},
        {"T|*.TXT", "Brief.txt", true},              {"T|*.txt", "a.txt.bak", false},
        {"T|a*b", "a\nb", false},                    {"T|a*b", "a.\tb", true},
        {longPattern, many + "x" + many, true},      {longPattern, many + "\n" + many, false},
        {longPattern, many + many.substr(1), false},
    };
    for (const SMatchCase& c : cases) {
        const char* text = c.filter.c_str();
        EXPECT_EQ(CDBFileTypeFilter(&text).FileMatchesAnyFilter(std::string_view(c.name)), c.passes)
            << c.filter << " / " << c.name;
    }
}

TEST(DBFileTypeFilterTest, LongNamesMatchAndFilterTextsBeyondTheBoundGiveNoPair)
{
    const std::string longName(1'000'000, 'x');
    std::string filterText = "D|*.txt;" + std::string(CDBFileTypeFilter::MaxTextLength - 8, 'p');
    const char* text = filterText.c_str();
    const CDBFileTypeFilter filter(&text);
    EXPECT_FALSE(filter.IsTextTooLong());
    EXPECT_EQ(filter.ParseOFNFilters().size(), 1u);
    EXPECT_TRUE(filter.FileMatchesAnyFilter(std::string_view(longName + ".txt")));
    EXPECT_FALSE(filter.FileMatchesAnyFilter(std::string_view(longName)));

    // 10 MB of "*.a;" once took gigabytes.
    filterText = "D|" + [] { std::string many; while (many.size() < 10'000'000) many += "*.a;"; return many; }();
    text = filterText.c_str();
    EXPECT_TRUE(filter.IsTextTooLong());
    EXPECT_TRUE(filter.ParseOFNFilters().empty());
    EXPECT_FALSE(filter.FileMatchesAnyFilter(std::string_view("x.a")));
}

TEST(DBFileTypeFilterTest, JoinsPatternListsForTheRefusalMessage)
{
    const char* text = "Text|*.txt; *.log||Leer||Bilder|*.png||";
    EXPECT_EQ(CDBFileTypeFilter(&text).JoinedPatternLists(), "*.txt; *.log,*.png");
}

} // namespace
