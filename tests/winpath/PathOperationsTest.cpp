#include "winpath/Path.h"

#include <gtest/gtest.h>

#include <functional>

using winpath::path;

namespace {

// One operation on a path and a text, with the text it gives.
struct OperationCase { const wchar_t* lhs; const wchar_t* rhs; const wchar_t* expected; };

void ExpectResults(const std::function<path(path, const wchar_t*)>& operation,
                   std::initializer_list<OperationCase> cases)
{
    for (const OperationCase& c : cases)
        EXPECT_EQ(operation(path(c.lhs), c.rhs).native(), c.expected) << path(c.lhs) << " | " << path(c.rhs);
}

TEST(PathOperationsTest, LexicalFormsRemoveDotsAndWalkBetweenPaths)
{
    ExpectResults([](const path& p, const wchar_t*) { return p.lexically_normal(); },
                  {{L"", L"", L""}, {L"foo/.///bar/../", L"", L"foo\\"}, {L"./", L"", L"."},
                   {L"../a/..", L"", L".."}, {L"a/../../b", L"", L"..\\b"}, {L"/../x", L"", L"\\x"},
                   {L"c:/foo/../..", L"", L"c:\\"}, {L"c:foo/..", L"", L"c:"},
                   {L"//net/foo/./", L"", L"\\\\net\\foo\\"}, {L"foo/bar/../..", L"", L"."},
                   // A first name that reads like a drive stays a name.
                   {L"./C:.", L"", L".\\C:."}, {L"a/../C:x", L"", L".\\C:x"}, {L".\\C:x\\", L"", L".\\C:x\\"},
                   // A first directory "??" below the root is no device prefix.
                   {L"/?\?/\\", L"", L"\\.\\?\?\\"}, {L"\\?\?\\x", L"", L"\\?\?\\x"},
                   // The normal form is stable.
                   {L"\\.\\?\?\\", L"", L"\\.\\?\?\\"}, {L".\\C:x", L"", L".\\C:x"}});
    ExpectResults([](const path& p, const wchar_t* base) { return p.lexically_relative(base); },
                  {{L"/a/d", L"/a/b/c", L"..\\..\\d"}, {L"/a/b/c", L"/a/d", L"..\\b\\c"},
                   {L"a/b/c", L"a/b/c/x/y", L"..\\.."}, {L"a/b/c", L"a/b/c", L"."},
                   {L"C:\\P\\Data\\x", L"C:/P/Data", L"x"},
                   // No relative path between different drives, or absolute and relative, nor
                   // through a name that reads as a drive, nor with more ".." in the base than names.
                   {L"C:\\a", L"D:\\a", L""}, {L"a", L"\\a", L""}, {L"a/b", L"a/c:x", L""}, {L"a", L"a/../..", L""}});
    ExpectResults([](const path& p, const wchar_t* base) { return p.lexically_proximate(base); },
                  {{L"/a/d", L"/a/b/c", L"..\\..\\d"}, {L"C:\\a", L"D:\\a", L"C:\\a"}, {L"a/b", L"a/c:x", L"a/b"}});
}

TEST(PathOperationsTest, ComparisonGoesElementByElement)
{
    const struct { const wchar_t* lhs; const wchar_t* rhs; int expected; } cases[] = {
        {L"C:\\P\\Data", L"c:\\p\\data", -1}, {L"C:\\a\\\\b", L"C:/a/b", 0}, {L"", L"a", -1},
        {L"\\\\server\\share", L"//server/share", 0},
        // A path sorts before every path that extends it, "\" sorting as a boundary.
        {L"a\\b", L"a-b", -1}, {L"C:\\P\\Data\\x", L"C:\\P\\Data-old", -1}, {L"a", L"a\\", -1}, {L"a\\", L"a//", 0},
        // Root names first, then the root directory, then the names.
        {L"x", L"\\x", -1}, {L"C:x", L"C:\\x", -1}, {L"\\a", L"C:\\b", -1}, {L"\\\\?\\C:", L"\\\\server", -1},
        // No normalisation: "." is a name like any other.
        {L"a/./b", L"a/b", -1},
    };
    for (const auto& c : cases) {
        const path lhs(c.lhs);
        const path rhs(c.rhs);
        SCOPED_TRACE(lhs.string() + " <=> " + rhs.string());
        EXPECT_EQ(lhs.compare(rhs), c.expected);
        EXPECT_EQ(rhs.compare(lhs), -c.expected);
        EXPECT_EQ(lhs.compare(c.rhs), c.expected);
        EXPECT_EQ(lhs == rhs, c.expected == 0);
        EXPECT_EQ(lhs < rhs, c.expected < 0);
        if (c.expected == 0) {
            EXPECT_EQ(std::hash<path>()(lhs), std::hash<path>()(rhs));
        }
    }
}

TEST(PathOperationsTest, ModifiersFollowTheRootNameRules)
{
    ExpectResults([](const path& p, const wchar_t* name) { return p / path(name); },
                  {{L"foo", L"", L"foo\\"}, {L"foo", L"/bar", L"/bar"}, {L"foo", L"c:/bar", L"c:/bar"},
                   {L"foo", L"c:", L"c:"}, {L"c:foo", L"/bar", L"c:/bar"}, {L"c:foo", L"c:bar", L"c:foo\\bar"},
                   {L"//host", L"foo", L"//host\\foo"}, {L"//host/", L"foo", L"//host/foo"}, {L"C:\\d", L"a:b", L"a:b"},
                   {L"C:\\d", L"C:x", L"C:\\d\\x"}, {L"C:\\d", L"\\x", L"C:\\x"}, {L"C:\\d", L"//srv/s", L"//srv/s"},
                   {L"C:\\d\\", L"x", L"C:\\d\\x"},
                   // Root names are compared case-sensitively, like every path part.
                   {L"C:\\d", L"c:x", L"c:x"}});
    ExpectResults([](path p, const wchar_t*) { return p /= p; }, {{L"a\\b", L"", L"a\\b\\a\\b"}});
    ExpectResults([](path p, const wchar_t*) { return p.remove_filename(); },
                  {{L"foo/", L"", L"foo/"}, {L"/", L"", L"/"}, {L"foo", L"", L""}, {L"C:x", L"", L"C:"},
                   {L"C:\\d\\x.txt", L"", L"C:\\d\\"}});
    ExpectResults([](path p, const wchar_t* name) { return p.replace_filename(name); },
                  {{L"/foo", L"bar", L"/bar"}, {L"/", L"bar", L"/bar"}, {L"C:\\d\\x.txt", L"y.log", L"C:\\d\\y.log"},
                   {L"C:x", L"y", L"C:y"}});
    ExpectResults([](path p, const wchar_t* extension) { return p.replace_extension(extension); },
                  {{L"/foo/bar.jpg", L".png", L"/foo/bar.png"}, {L"/foo/bar.jpg", L"", L"/foo/bar"},
                   {L"/foo/bar", L"png", L"/foo/bar.png"}, {L"/foo/.profile", L"x", L"/foo/.profile.x"},
                   {L"C:\\a.b\\c", L"txt", L"C:\\a.b\\c.txt"}, {L"foo/", L"x", L"foo/.x"}});
}

TEST(PathOperationsTest, TextIsAppendedConvertedAndReadThroughTheAnsiCodePage)
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

    path mixed(L"C:/a\\b/c");
    EXPECT_EQ(mixed.generic_wstring(), L"C:/a/b/c");
    EXPECT_EQ(mixed.generic_string(), "C:/a/b/c");
    EXPECT_EQ(mixed.make_preferred().native(), L"C:\\a\\b\\c");

    // "C:\Müller\Ärzte €.txt" in Windows-1252.
    const std::string ansi = "C:\\M\xFCller\\\xC4rzte \x80.txt";
    const std::wstring wide = L"C:\\M\u00FCller\\\u00C4rzte \u20AC.txt";
    EXPECT_EQ(path(ansi).native(), wide);
    EXPECT_EQ(path(wide).string(), ansi);
    EXPECT_EQ(path(L"C:\\\u03A9").string(), "C:\\?");
}

} // namespace
