#include "winpath/AnsiCodePage.h"
#include "winpath/AnsiLiteral.h"
#include "winpath/Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

using winpath::path;

namespace {

TEST(AnsiCodePageTest, EveryByteSurvivesTheRoundTrip)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    const std::wstring wide = winpath::AnsiToWide(bytes);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(winpath::WideToAnsi(wide), bytes);
    EXPECT_EQ(std::set<wchar_t>(wide.begin(), wide.end()).size(), 256u) << "two bytes share a character";
    for (const char c : bytes)
        EXPECT_EQ(winpath::WideToAnsiChar(winpath::AnsiToWideChar(c)), c);
}

TEST(AnsiCodePageTest, BytesMapToTheirWindows1252Characters)
{
    const struct { unsigned char byte; wchar_t wide; } mappings[] = {
        {0x7F, 0x007F}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x84, 0x201E}, {0x9D, 0x009D},
                    {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xDF, 0x00DF}, {0xFF, 0x00FF}};
    for (const auto& m : mappings) {
        EXPECT_EQ(winpath::AnsiToWideChar(static_cast<char>(m.byte)), m.wide) << int(m.byte);
        EXPECT_EQ(winpath::WideToAnsiChar(m.wide), static_cast<char>(m.byte)) << int(m.byte);
    }
    // U+0080 and U+009F are not in 1252: their bytes show other characters.
    for (const wchar_t unmappable : {wchar_t(0x0080), wchar_t(0x009F), wchar_t(0x0100), wchar_t(0x20AD),
                                     wchar_t(0x1F600), static_cast<wchar_t>(-1)})
        EXPECT_EQ(winpath::WideToAnsi(std::wstring(L"a") + unmappable + L"b"), "a?b") << int(unmappable);
}

TEST(AnsiCodePageTest, TextsWrittenAsUtf8BecomeTheirBytesWhileCompiling)
{
    const struct { std::string_view converted, bytes; } texts[] = {
        {"Zusammenführung"_ansi, "Zusammenf\xFChrung"}, {"ÄÖÜäöüß"_ansi, "\xC4\xD6\xDC\xE4\xF6\xFC\xDF"},
        {"Karteireiter …"_ansi, "Karteireiter \x85"}, {"5 € – Œuvre"_ansi, "5 \x80 \x96 \x8Cuvre"}, {""_ansi, ""}};
    for (const auto& text : texts)
        EXPECT_EQ(text.converted, text.bytes);
}

struct Decomposition {
    const wchar_t *text, *rootName, *rootDirectory, *rootPath, *relativePath, *parentPath, *filename, *stem, *extension;
    bool absolute;
};

// Results keep the text as written: separators are not converted.
const Decomposition kDecompositions[] = {
    // text          root name  root dir root path  relative       parent        filename  stem     ext   abs
    {L"", L"", L"", L"", L"", L"", L"", L"", L"", false},
    {L".", L"", L"", L"", L".", L"", L".", L".", L"", false},
    {L"foo", L"", L"", L"", L"foo", L"", L"foo", L"foo", L"", false},
    {L"foo/", L"", L"", L"", L"foo/", L"foo", L"", L"", L"", false},
    {L"/foo/bar", L"", L"/", L"/", L"foo/bar", L"/foo", L"bar", L"bar", L"", false},
    {L"//net", L"//net", L"", L"//net", L"", L"//net", L"", L"", L"", true},
    {L"//net/foo", L"//net", L"/", L"//net/", L"foo", L"//net/", L"foo", L"foo", L"", true},
    {L"///foo///bar", L"", L"/", L"/", L"foo///bar", L"///foo", L"bar", L"bar", L"", false},
    {L"foo/.", L"", L"", L"", L"foo/.", L"foo", L".", L".", L"", false},
    {L"foo/./bar", L"", L"", L"", L"foo/./bar", L"foo/.", L"bar", L"bar", L"", false},
    {L"c:", L"c:", L"", L"c:", L"", L"c:", L"", L"", L"", false},
    {L"c:/", L"c:", L"/", L"c:/", L"", L"c:/", L"", L"", L"", true},
    {L"c:foo", L"c:", L"", L"c:", L"foo", L"c:", L"foo", L"foo", L"", false},
    {L"c:/foo/bar", L"c:", L"/", L"c:/", L"foo/bar", L"c:/foo", L"bar", L"bar", L"", true},
    {L"prn:", L"", L"", L"", L"prn:", L"", L"prn:", L"prn:", L"", false},
    {L"c:\\", L"c:", L"\\", L"c:\\", L"", L"c:\\", L"", L"", L"", true},
    {L"c:\\foo\\", L"c:", L"\\", L"c:\\", L"foo\\", L"c:\\foo", L"", L"", L"", true},
    {L"c:/foo\\bar", L"c:", L"/", L"c:/", L"foo\\bar", L"c:/foo", L"bar", L"bar", L"", true},
    // Paths of the file store and the file dialog.
    {L"C:\\d\\\\", L"C:", L"\\", L"C:\\", L"d\\\\", L"C:\\d", L"", L"", L"", true},
    {L"\\", L"", L"\\", L"\\", L"", L"\\", L"", L"", L"", false},
    {L"\\\\server\\share", L"\\\\server", L"\\", L"\\\\server\\", L"share", L"\\\\server\\", L"share", L"share", L"",
     true},
    {L"\\\\?\\C:\\x.txt", L"\\\\?", L"\\", L"\\\\?\\", L"C:\\x.txt", L"\\\\?\\C:", L"x.txt", L"x", L".txt", true},
    {L"\\\\.\\pipe\\p", L"\\\\.", L"\\", L"\\\\.\\", L"pipe\\p", L"\\\\.\\pipe", L"p", L"p", L"", true},
    {L"\\\\\\x", L"", L"\\", L"\\", L"x", L"\\\\\\", L"x", L"x", L"", false},
    {L"C:\\P\\Data\\brief.tar.gz", L"C:", L"\\", L"C:\\", L"P\\Data\\brief.tar.gz", L"C:\\P\\Data", L"brief.tar.gz",
     L"brief.tar", L".gz", true},
    {L"x\\.profile", L"", L"", L"", L"x\\.profile", L"x", L".profile", L".profile", L"", false},
    {L"foo.", L"", L"", L"", L"foo.", L"", L"foo.", L"foo", L".", false},
    {L"..bar", L"", L"", L"", L"..bar", L"", L"..bar", L".", L".bar", false},
};

TEST(PathDecompositionTest, PartsKeepTheTextAsWrittenAndIterateBothWays)
{
    for (const Decomposition& row : kDecompositions) {
        const path p(row.text);
        SCOPED_TRACE(p.string());
        EXPECT_EQ(p.root_name().native(), row.rootName);
        EXPECT_EQ(p.root_directory().native(), row.rootDirectory);
        EXPECT_EQ(p.root_path().native(), row.rootPath);
        EXPECT_EQ(p.relative_path().native(), row.relativePath);
        EXPECT_EQ(p.parent_path().native(), row.parentPath);
        EXPECT_EQ(p.filename().native(), row.filename);
        EXPECT_EQ(p.stem().native(), row.stem);
        EXPECT_EQ(p.extension().native(), row.extension);
        EXPECT_EQ(p.is_absolute(), row.absolute);
        EXPECT_EQ(p.has_filename(), *row.filename != L'\0');
        // Runs of separators after the root name shrink to the one root directory.
        EXPECT_EQ(path(p.root_path().native() + p.relative_path().native()), p);

        std::vector<std::wstring> forward;
        for (const path& element : p)
            forward.push_back(element.native());
        std::vector<std::wstring> backward;
        for (auto it = p.end(); it != p.begin();)
            backward.push_back((--it)->native());
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(forward, backward);
        // The last element is the file name, the empty one after a trailing separator.
        if (p.has_relative_path()) {
            EXPECT_EQ(forward.back(), p.filename().native());
        }
    }
}

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
