#include "winpath/Path.h"

#include <gtest/gtest.h>

#include <map>
#include <unordered_set>
#include <vector>

using winpath::path;

namespace {

struct NormalCase {
    const wchar_t* text;
    const wchar_t* normal;
};

class PathNormalTest : public testing::TestWithParam<NormalCase> {};

TEST_P(PathNormalTest, RemovesDotsAndSeparatorRuns)
{
    const path normal = path(GetParam().text).lexically_normal();
    EXPECT_EQ(normal.native(), GetParam().normal);
    EXPECT_EQ(normal.lexically_normal().native(), normal.native()) << "normal form is stable";
}

INSTANTIATE_TEST_SUITE_P(
    WindowsGrammar, PathNormalTest,
    testing::Values(NormalCase{L"", L""}, NormalCase{L"foo/.///bar/../", L"foo\\"}, NormalCase{L"./", L"."},
                    NormalCase{L"../a/..", L".."}, NormalCase{L"a/../../b", L"..\\b"}, NormalCase{L"/../x", L"\\x"},
                    NormalCase{L"c:/foo/../..", L"c:\\"}, NormalCase{L"c:foo/..", L"c:"},
                    NormalCase{L"//net/foo/./", L"\\\\net\\foo\\"}, NormalCase{L"foo/bar/../..", L"."},
                    // A first name that reads like a drive stays a name.
                    NormalCase{L"./C:.", L".\\C:."}, NormalCase{L"a/../C:x", L".\\C:x"},
                    NormalCase{L".\\C:x\\", L".\\C:x\\"},
                    // A first directory "??" below the root is no device prefix.
                    NormalCase{L"/?\?/\\", L"\\.\\?\?\\"}, NormalCase{L"\\?\?\\x", L"\\?\?\\x"}));

struct RelativeCase {
    const wchar_t* text;
    const wchar_t* base;
    const wchar_t* relative;
    const wchar_t* proximate;
};

class PathRelativeTest : public testing::TestWithParam<RelativeCase> {};

TEST_P(PathRelativeTest, WalksUpFromTheBaseThenDown)
{
    const RelativeCase& c = GetParam();
    EXPECT_EQ(path(c.text).lexically_relative(c.base).native(), c.relative);
    EXPECT_EQ(path(c.text).lexically_proximate(c.base).native(), c.proximate);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsGrammar, PathRelativeTest,
    testing::Values(RelativeCase{L"/a/d", L"/a/b/c", L"..\\..\\d", L"..\\..\\d"},
                    RelativeCase{L"/a/b/c", L"/a/d", L"..\\b\\c", L"..\\b\\c"},
                    RelativeCase{L"a/b/c", L"a/b/c/x/y", L"..\\..", L"..\\.."},
                    RelativeCase{L"a/b/c", L"a/b/c", L".", L"."},
                    RelativeCase{L"C:\\P\\Data\\x", L"C:/P/Data", L"x", L"x"},
                    // No relative path between different drives, or absolute and relative.
                    RelativeCase{L"C:\\a", L"D:\\a", L"", L"C:\\a"}, RelativeCase{L"a", L"\\a", L"", L"a"},
                    // A name that reads as a drive cannot be walked through.
                    RelativeCase{L"a/b", L"a/c:x", L"", L"a/b"},
                    // More ".." in the base than names: no answer.
                    RelativeCase{L"a", L"a/../..", L"", L"a"}));

struct ComparisonCase {
    const wchar_t* lhs;
    const wchar_t* rhs;
    int expected;
};

void PrintTo(const ComparisonCase& c, std::ostream* out)
{
    *out << path(c.lhs) << " <=> " << path(c.rhs);
}

class PathComparisonTest : public testing::TestWithParam<ComparisonCase> {};

TEST_P(PathComparisonTest, ComparesElementByElement)
{
    const ComparisonCase& c = GetParam();
    const path lhs(c.lhs);
    const path rhs(c.rhs);
    EXPECT_EQ(lhs.compare(rhs), c.expected);
    EXPECT_EQ(rhs.compare(lhs), -c.expected);
    EXPECT_EQ(lhs.compare(c.rhs), c.expected);
    EXPECT_EQ(lhs == rhs, c.expected == 0);
    EXPECT_EQ(lhs < rhs, c.expected < 0);
    if (c.expected == 0) {
        EXPECT_EQ(std::hash<path>()(lhs), std::hash<path>()(rhs));
    }
}

INSTANTIATE_TEST_SUITE_P(
    WindowsGrammar, PathComparisonTest,
    testing::Values(ComparisonCase{L"C:\\P\\Data", L"c:\\p\\data", -1}, ComparisonCase{L"C:\\a\\\\b", L"C:/a/b", 0},
                    ComparisonCase{L"\\\\server\\share", L"//server/share", 0},
                    ComparisonCase{L"", L"a", -1},
                    // A path sorts before every path that extends it, "\" sorting as a boundary.
                    ComparisonCase{L"a\\b", L"a-b", -1}, ComparisonCase{L"C:\\P\\Data\\x", L"C:\\P\\Data-old", -1},
                    ComparisonCase{L"a", L"a\\", -1}, ComparisonCase{L"a\\", L"a//", 0},
                    // Root names first, then the root directory, then the names.
                    ComparisonCase{L"x", L"\\x", -1}, ComparisonCase{L"C:x", L"C:\\x", -1},
                    ComparisonCase{L"\\a", L"C:\\b", -1},
                    ComparisonCase{L"\\\\?\\C:", L"\\\\server", -1},
                    // No normalisation: "." is a name like any other.
                    ComparisonCase{L"a/./b", L"a/b", -1}));

TEST(PathOrderTest, MapKeysSortByElements)
{
    std::map<path, int> roots{{path(L"C:\\P\\QA"), 0}, {path(L"C:\\P\\Data-old"), 0}, {path(L"C:\\P\\Data\\x"), 0},
                              {path(L"C:\\P\\Data"), 0}, {path(L"C:/P/Data/"), 0}};
    std::vector<std::wstring> order;
    for (const auto& [key, value] : roots)
        order.push_back(key.native());
    const std::vector<std::wstring> expected{L"C:\\P\\Data", L"C:/P/Data/", L"C:\\P\\Data\\x", L"C:\\P\\Data-old",
                                             L"C:\\P\\QA"};
    EXPECT_EQ(order, expected);
}

TEST(PathHashTest, EqualPathsShareOneSlot)
{
    std::unordered_set<path> paths{path(L"C:\\a\\\\b"), path(L"C:/a/b"), path(L"C:\\a\\b"), path(L"C:\\A\\b"),
                                   path(L"C:\\a\\b\\"), path(L"C:\\ab")};
    EXPECT_EQ(paths.size(), 4u);
    EXPECT_EQ(paths.count(path(L"C:/a//b")), 1u);
}

} // namespace
