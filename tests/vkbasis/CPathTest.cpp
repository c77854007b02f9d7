#include "vkbasis/CPath.h"

#include <gtest/gtest.h>

namespace {

TEST(CPathTest, SubPathsAreDecidedOnNormalisedWholeNames)
{
    const struct { const char* path; const char* dir; bool within; } cases[] = {
        // a directory lies within itself, with or without trailing separator
        {"C:\\P\\Data", "C:\\P\\Data", true}, {"C:\\P\\Data\\", "C:\\P\\Data", true},
        {"C:\\P\\Data\\\\", "C:\\P\\Data", true},
        // below, in any case and with either separator
        {"c:/p/data/x", "C:\\P\\Data", true}, {"C:\\P\\Data\\x", "c:/p/DATA/", true},
        {"C:\\P\\\xC4rzte\\x", "C:\\P\\\xE4RZTE", true}, {"C:\\P\\\xC4rzte", "C:\\P\\Arzte", false},
        // a common text prefix is no common directory
        {"C:\\P\\Database", "C:\\P\\Data", false}, {"C:\\P", "C:\\P\\Data", false},
        // dot-dot cannot climb out, dot changes nothing
        {"C:\\P\\Data\\..\\..\\Windows", "C:\\P\\Data", false}, {"C:\\P\\Data\\..\\Database", "C:\\P\\Data", false},
        {"C:\\P\\Data\\x\\..", "C:\\P\\Data", true}, {"C:\\P\\Other\\..\\Data\\x", "C:\\P\\Data", true},
        {"C:\\..\\P\\Data", "C:\\P\\Data", true},
        // roots must agree
        {"D:\\P\\Data\\x", "C:\\P\\Data", false}, {"P\\Data\\x", "C:\\P\\Data", false},
        {"C:P\\Data\\x", "C:\\P\\Data", false}, {"C:\\anything", "C:\\", true},
        // network paths
        {"\\\\server\\share\\dir\\x", "\\\\server\\share\\dir", true},
        {"//SERVER/share/dir/x", "\\\\server\\share\\dir", true},
        {"\\\\other\\share\\dir\\x", "\\\\server\\share\\dir", false},
        // relative paths against relative directories
        {"data\\x", ".", true}, {"..\\x", ".", false}, {"data\\..\\..\\x", "data", false},
        {"..\\data\\x", "..\\data", true},
        // the empty path is no directory and names no place
        {"", "C:\\P\\Data", false}, {"", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPath(c.path).IsSubPath(CPath(c.dir)), c.within) << c.path << " within " << c.dir;
}

TEST(CPathTest, SplitsIntoDirectoryAndNameWithoutExtension)
{
    const struct { const char* path; const char* dir; const char* filename; } cases[] = {
        {"/work/main/J3Dialoge/DBFileDialog.cpp", "\\work\\main\\J3Dialoge\\", "DBFileDialog"},
        {"C:\\x/y\\archive.tar.gz", "C:\\x\\y\\", "archive.tar"}, {"C:\\x\\.hidden", "C:\\x\\", ".hidden"},
        {"C:\\x\\dir\\", "C:\\x\\dir\\", ""}, {"C:\\", "C:\\", ""}, {"C:file.txt", "C:", "file"},
        {"\\\\server\\share\\x.doc", "\\\\server\\share\\", "x"}, {"", "", ""},
    };
    for (const auto& c : cases) {
        const CPath path(c.path);
        EXPECT_EQ(path.GetDir(), c.dir) << c.path;
        EXPECT_EQ(path.GetFilename(), c.filename) << c.path;
    }
}

} // namespace
