#include "winpath/Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using winpath::path;

namespace {

struct Decomposition {
    const wchar_t* text;
    const wchar_t* rootName;
    const wchar_t* rootDirectory;
    const wchar_t* rootPath;
    const wchar_t* relativePath;
    const wchar_t* parentPath;
    const wchar_t* filename;
    const wchar_t* stem;
    const wchar_t* extension;
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
    {L"/.", L"", L"/", L"/", L".", L"/", L".", L".", L"", false},
    {L"foo/.", L"", L"", L"", L"foo/.", L"foo", L".", L".", L"", false},
    {L"foo/./", L"", L"", L"", L"foo/./", L"foo/.", L"", L"", L"", false},
    {L"foo/./bar", L"", L"", L"", L"foo/./bar", L"foo/.", L"bar", L"bar", L"", false},
    {L"c:", L"c:", L"", L"c:", L"", L"c:", L"", L"", L"", false},
    {L"c:/", L"c:", L"/", L"c:/", L"", L"c:/", L"", L"", L"", true},
    {L"c:foo", L"c:", L"", L"c:", L"foo", L"c:", L"foo", L"foo", L"", false},
    {L"c:/foo/bar", L"c:", L"/", L"c:/", L"foo/bar", L"c:/foo", L"bar", L"bar", L"", true},
    {L"prn:", L"", L"", L"", L"prn:", L"", L"prn:", L"prn:", L"", false},
    {L"c:\\", L"c:", L"\\", L"c:\\", L"", L"c:\\", L"", L"", L"", true},
    {L"c:\\foo\\", L"c:", L"\\", L"c:\\", L"foo\\", L"c:\\foo", L"", L"", L"", true},
    {L"c:\\foo/", L"c:", L"\\", L"c:\\", L"foo/", L"c:\\foo", L"", L"", L"", true},
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

} // namespace
