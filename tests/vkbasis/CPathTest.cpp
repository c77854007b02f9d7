#include "vkbasis/CPath.h"

#include <gtest/gtest.h>

namespace {

struct SubPathCase {
    const char* path;
    const char* dir;
    bool within;
};

class CPathIsSubPath : public testing::TestWithParam<SubPathCase> {};

TEST_P(CPathIsSubPath, DecidesOnNormalisedWholeNames)
{
    const SubPathCase& c = GetParam();
    EXPECT_EQ(CPath(c.path).IsSubPath(CPath(c.dir)), c.within) << c.path << " within " << c.dir;
}

INSTANTIATE_TEST_SUITE_P(
    Guard, CPathIsSubPath,
    testing::Values(
        // a directory lies within itself, with or without trailing separator
        SubPathCase{"C:\\P\\Data", "C:\\P\\Data", true},
        SubPathCase{"C:\\P\\Data\\", "C:\\P\\Data", true},
        SubPathCase{"C:\\P\\Data\\\\", "C:\\P\\Data", true},
        // below, in any case and with either separator
        SubPathCase{"c:/p/data/x", "C:\\P\\Data", true},
        SubPathCase{"C:\\P\\Data\\x", "c:/p/DATA/", true},
        SubPathCase{"C:\\P\\\xC4rzte\\x", "C:\\P\\\xE4RZTE", true},  // Ä and ä
        SubPathCase{"C:\\P\\\xC4rzte", "C:\\P\\Arzte", false},
        // a common text prefix is no common directory
        SubPathCase{"C:\\P\\Database", "C:\\P\\Data", false},
        SubPathCase{"C:\\P", "C:\\P\\Data", false},
        // dot-dot cannot climb out, dot changes nothing
        SubPathCase{"C:\\P\\Data\\..\\..\\Windows", "C:\\P\\Data", false},
        SubPathCase{"C:\\P\\Data\\..\\Database", "C:\\P\\Data", false},
        SubPathCase{"C:\\P\\Data\\x\\..", "C:\\P\\Data", true},
        SubPathCase{"C:\\P\\Other\\..\\Data\\x", "C:\\P\\Data", true},
        SubPathCase{"C:\\..\\P\\Data", "C:\\P\\Data", true},
        // roots must agree
        SubPathCase{"D:\\P\\Data\\x", "C:\\P\\Data", false},
        SubPathCase{"P\\Data\\x", "C:\\P\\Data", false},
        SubPathCase{"C:P\\Data\\x", "C:\\P\\Data", false},
        SubPathCase{"C:\\anything", "C:\\", true},
        // network paths
        SubPathCase{"\\\\server\\share\\dir\\x", "\\\\server\\share\\dir", true},
        SubPathCase{"//SERVER/share/dir/x", "\\\\server\\share\\dir", true},
        SubPathCase{"\\\\other\\share\\dir\\x", "\\\\server\\share\\dir", false},
        // relative paths against relative directories
        SubPathCase{"data\\x", ".", true},
        SubPathCase{"..\\x", ".", false},
        SubPathCase{"data\\..\\..\\x", "data", false},
        SubPathCase{"..\\data\\x", "..\\data", true},
        // the empty path is no directory and names no place
        SubPathCase{"", "C:\\P\\Data", false},
        SubPathCase{"", "", false}));

struct PartsCase {
    const char* path;
    const char* dir;
    const char* filename;
};

class CPathParts : public testing::TestWithParam<PartsCase> {};

TEST_P(CPathParts, SplitIntoDirectoryAndNameWithoutExtension)
{
    const PartsCase& c = GetParam();
    const CPath path(c.path);
    EXPECT_EQ(path.GetDir(), c.dir) << c.path;
    EXPECT_EQ(path.GetFilename(), c.filename) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Names, CPathParts,
    testing::Values(PartsCase{"C:\\src\\J3Dialoge\\DiaIndexMarkerConfig.cpp", "C:\\src\\J3Dialoge\\", "DiaIndexMarkerConfig"},
                    PartsCase{"/work/main/J3Dialoge/DBFileDialog.cpp", "\\work\\main\\J3Dialoge\\", "DBFileDialog"},
                    PartsCase{"C:\\x/y\\archive.tar.gz", "C:\\x\\y\\", "archive.tar"},
                    PartsCase{"C:\\x\\.hidden", "C:\\x\\", ".hidden"},
                    PartsCase{"C:\\x\\dir\\", "C:\\x\\dir\\", ""},
                    PartsCase{"C:\\", "C:\\", ""},
                    PartsCase{"C:file.txt", "C:", "file"},
                    PartsCase{"\\\\server\\share\\x.doc", "\\\\server\\share\\", "x"},
                    PartsCase{"", "", ""}));

} // namespace
