#include <random>
// GCC 12 reports a false "maybe uninitialized" inside std::regex's own
// std::function members when sanitizers are on.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "J3Dialoge/DBFileTypeFilter.h"

namespace {

using Pairs = std::vector<CDBFileTypeFilter::FilterPair>;

// The pairs are those found by searching for "([^|]+)\|([^|]+)" again and
// again, which is how the filter form is defined.
TEST(DBFileTypeFilterTest, ParsingAgreesWithTheExpressionOnRandomTexts)
{
    const std::regex pairExpression("([^|]+)\\|([^|]+)");
    std::mt19937 random(7);
    const std::string alphabet = "ab|| *.;";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        Pairs expected;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), pairExpression); it != std::sregex_iterator(); ++it)
            expected.emplace_back((*it)[1].str(), (*it)[2].str());
        const char* pointer = text.c_str();
        EXPECT_EQ(CDBFileTypeFilter(&pointer).ParseOFNFilters(), expected) << '"' << text << '"';
    }
}

TEST(DBFileTypeFilterTest, AbsentFilterTextHasNoPairsAndPassesNoFile)
{
    const char* nullText = nullptr;
    for (const CDBFileTypeFilter& filter : {CDBFileTypeFilter(&nullText), CDBFileTypeFilter(nullptr)}) {
        EXPECT_TRUE(filter.ParseOFNFilters().empty());
        EXPECT_FALSE(filter.FileMatchesAnyFilter(std::string_view("a.txt")));
    }
}

struct SMatchCase {
    const char* filter;
    const char* name;
    bool passes;
};

// Characters that a regular expression treats specially stand for
// themselves: such a filter must neither stop the program nor invent matches.
TEST(DBFileTypeFilterTest, MatchesNamesAgainstPatternLists)
{
    const std::vector<SMatchCase> cases = {
        {"Text|*.txt;*.log||", "b.log", true},       {"Text (*.txt)|*.txt; *.log|Alle (*.*)|*.*||", "a.doc", true},
        {"Alle|*.*", "zeile\numbruch", true},         {"Leer|  ;  ; ", "a", false},
        {"C|*.c++", "main.c++", true},               {"K|[ab].txt", "a.txt", false},
        {"F|a{2}", "aa", false},                     {"Q|a?c", "abc", false},
        {"B|a\\d", "a1", false},                     {"U|(", "(", true},
    };
    for (const SMatchCase& c : cases) {
        const char* text = c.filter;
        EXPECT_EQ(CDBFileTypeFilter(&text).FileMatchesAnyFilter(std::string_view(c.name)), c.passes)
            << c.filter << " / " << c.name;
    }
}

// The regular expression that the filter form defines for one pattern:
// dots escaped, anchored, '*' turned into ".*", ignoring case.
std::regex DefiningExpression(const std::string& pattern)
{
    std::string expression;
    for (char ch : pattern)
        expression += ch == '.' ? std::string("\\.") : std::string(1, ch);
    expression = "^" + expression + "$";
    std::string expanded;
    for (char ch : expression)
        expanded += ch == '*' ? std::string(".*") : std::string(1, ch);
    return std::regex(expanded, std::regex::ECMAScript | std::regex::icase);
}

TEST(DBFileTypeFilterTest, AgreesWithTheDefiningExpressionOnManyNamesAndPatterns)
{
    std::mt19937 random(42);
    const std::string patternAlphabet = "*.tTxXa\xe4\xc4";
    const std::string nameAlphabet = ".tTxXa\xe4\xc4\n\r ";
    auto randomText = [&random](const std::string& alphabet, int maxLength) {
        std::string text;
        const int length = static_cast<int>(random() % (maxLength + 1));
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        return text;
    };
    for (int round = 0; round < 400; ++round) {
        const std::string pattern = randomText(patternAlphabet, 6);
        if (pattern.empty() || pattern == "*.*")
            continue;
        const std::regex expression = DefiningExpression(pattern);
        const std::string filterText = "F|" + pattern;
        const char* text = filterText.c_str();
        const CDBFileTypeFilter filter(&text);
        for (int n = 0; n < 60; ++n) {
            const std::string name = randomText(nameAlphabet, 9);
            ASSERT_EQ(filter.FileMatchesAnyFilter(std::string_view(name)), std::regex_match(name, expression))
                << "pattern '" << pattern << "' name '" << name << "'";
        }
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
    const char* text = "Text|*.txt; *.log|Bilder|*.png||";
    EXPECT_EQ(CDBFileTypeFilter(&text).JoinedPatternLists(), "*.txt; *.log,*.png");
}

} // namespace
