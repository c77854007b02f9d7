#include "winpath/Path.h"

#include <gtest/gtest.h>


using winpath::path;

namespace {

struct BinaryCase {
    const wchar_t* lhs;
    const wchar_t* rhs;
    const wchar_t* expected;
};

void PrintTo(const BinaryCase& c, std::ostream* out)
{
    *out << path(c.lhs) << " | " << path(c.rhs);
}

class PathAppendTest : public testing::TestWithParam<BinaryCase> {};

TEST_P(PathAppendTest, FollowsTheRootNameRules)
{
    const BinaryCase& c = GetParam();
    EXPECT_EQ((path(c.lhs) / path(c.rhs)).native(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsGrammar, PathAppendTest,
    testing::Values(BinaryCase{L"foo", L"", L"foo\\"}, BinaryCase{L"foo", L"/bar", L"/bar"},
                    BinaryCase{L"foo", L"c:/bar", L"c:/bar"}, BinaryCase{L"foo", L"c:", L"c:"},
                    BinaryCase{L"c:foo", L"/bar", L"c:/bar"},
                    BinaryCase{L"c:foo", L"c:bar", L"c:foo\\bar"}, BinaryCase{L"//host", L"foo", L"//host\\foo"},
                    BinaryCase{L"//host/", L"foo", L"//host/foo"}, BinaryCase{L"C:\\d", L"a:b", L"a:b"},
                    BinaryCase{L"C:\\d", L"C:x", L"C:\\d\\x"}, BinaryCase{L"C:\\d", L"\\x", L"C:\\x"},
                    BinaryCase{L"C:\\d", L"//srv/s", L"//srv/s"}, BinaryCase{L"C:\\d\\", L"x", L"C:\\d\\x"},
                    // Root names are compared case-sensitively, like every path part.
                    BinaryCase{L"C:\\d", L"c:x", L"c:x"}));

TEST(PathAppendTest, AppendingAPathToItselfUsesTheOriginalText)
{
    path p(L"a\\b");
    p /= p;
    EXPECT_EQ(p.native(), L"a\\b\\a\\b");
}

class PathRemoveFilenameTest : public testing::TestWithParam<BinaryCase> {};

TEST_P(PathRemoveFilenameTest, KeepsTheSeparatorBeforeTheName)
{
    path p(GetParam().lhs);
    EXPECT_EQ(p.remove_filename().native(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(WindowsGrammar, PathRemoveFilenameTest,
                         testing::Values(BinaryCase{L"foo/", L"", L"foo/"}, BinaryCase{L"/", L"", L"/"},
                                         BinaryCase{L"foo", L"", L""}, BinaryCase{L"C:x", L"", L"C:"},
                                         BinaryCase{L"C:\\d\\x.txt", L"", L"C:\\d\\"}));

class PathReplaceFilenameTest : public testing::TestWithParam<BinaryCase> {};

TEST_P(PathReplaceFilenameTest, PutsTheNewNameInPlace)
{
    path p(GetParam().lhs);
    EXPECT_EQ(p.replace_filename(GetParam().rhs).native(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(WindowsGrammar, PathReplaceFilenameTest,
                         testing::Values(BinaryCase{L"/foo", L"bar", L"/bar"}, BinaryCase{L"/", L"bar", L"/bar"},
                                         BinaryCase{L"C:\\d\\x.txt", L"y.log", L"C:\\d\\y.log"},
                                         BinaryCase{L"C:x", L"y", L"C:y"}));

class PathReplaceExtensionTest : public testing::TestWithParam<BinaryCase> {};

TEST_P(PathReplaceExtensionTest, AddsTheDotWhenMissing)
{
    path p(GetParam().lhs);
    EXPECT_EQ(p.replace_extension(GetParam().rhs).native(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsGrammar, PathReplaceExtensionTest,
    testing::Values(BinaryCase{L"/foo/bar.jpg", L".png", L"/foo/bar.png"},
                    BinaryCase{L"/foo/bar.jpg", L"", L"/foo/bar"}, BinaryCase{L"/foo/bar", L"png", L"/foo/bar.png"},
                    BinaryCase{L"/foo/.profile", L"x", L"/foo/.profile.x"},
                    BinaryCase{L"C:\\a.b\\c", L"txt", L"C:\\a.b\\c.txt"}, BinaryCase{L"foo/", L"x", L"foo/.x"}));

TEST(PathTextTest, PlusAppendsTextWithoutSeparator)
{
    path p(L"C:\\d");
    p += L"x";
    p += path(L".tmp");
    p += std::wstring(L"~");
    p += std::wstring_view(L"1");
    p += L'\\';
    p.concat("2");
    EXPECT_EQ(p.native(), L"C:\\dx.tmp~1\\2");
    EXPECT_EQ(p.filename().native(), L"2");
}

TEST(PathTextTest, SeparatorFormsConvertBothWays)
{
    path p(L"C:/a\\b/c");
    EXPECT_EQ(p.generic_wstring(), L"C:/a/b/c");
    EXPECT_EQ(p.generic_string(), "C:/a/b/c");
    EXPECT_EQ(p.make_preferred().native(), L"C:\\a\\b\\c");
}

TEST(PathTextTest, EightBitTextGoesThroughTheAnsiCodePage)
{
    // "C:\Müller\Ärzte €.txt" in Windows-1252.
    const std::string ansi = "C:\\M\xFCller\\\xC4rzte \x80.txt";
    const std::wstring wide = L"C:\\M\u00FCller\\\u00C4rzte \u20AC.txt";
    EXPECT_EQ(path(ansi).native(), wide);
    EXPECT_EQ(path(wide).string(), ansi);
    EXPECT_EQ(path(L"C:\\\u03A9").string(), "C:\\?");
}

} // namespace
