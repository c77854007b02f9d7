#include "j3params/J3DriveMap.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(J3DriveMap, MapsDrivePathsBelowTheirFolder)
{
    CJ3DriveMap drives;
    ASSERT_TRUE(drives.Map('c', "/srv/j3/c"));
    ASSERT_TRUE(drives.Map('D', "/srv/j3/d/"));
    const struct {
        const char* windows;
        const char* host;
    } cases[] = {
        {"C:\\J3\\Log\\dbdll.log", "/srv/j3/c/J3/Log/dbdll.log"},
        {"c:/J3/Log/", "/srv/j3/c/J3/Log"},
        {"C:\\", "/srv/j3/c"},
        {"D:\\x\\\\y\\.\\z", "/srv/j3/d/x/y/z"},
        {"C:\\a\\..\\b", "/srv/j3/c/b"},
        {"C:\\a\\b\\..\\..\\c", "/srv/j3/c/c"},
        {"C:\\Brief an Müller.txt", "/srv/j3/c/Brief an Müller.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.windows);
        std::string error = "stale";
        EXPECT_EQ(drives.ToHostPath(c.windows, error), std::filesystem::path(c.host));
        EXPECT_EQ(error, "");
    }
}

TEST(J3DriveMap, RefusesPathsOutsideTheMappedFolders)
{
    CJ3DriveMap drives;
    ASSERT_TRUE(drives.Map('C', "/srv/j3/c"));
    const struct {
        const char* windows;
        const char* fragment;
    } cases[] = {
        {"E:\\J3\\x.txt", "drive E: of"},
        {"C:\\..\\etc\\passwd", "leaves the folder of drive C:"},
        {"C:\\a\\..\\..\\x", "leaves the folder of drive C:"},
        {"C:/J3/../../..", "leaves the folder of drive C:"},
        {"C:relative", "no absolute path"},
        {"C:", "no absolute path"},
        {"\\J3\\Log", "no absolute path"},
        {"\\\\server\\share\\x", "no absolute path"},
        {"J3\\Log", "no absolute path"},
        {"", "no absolute path"},
        {"1:\\x", "no absolute path"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.windows);
        std::string error;
        EXPECT_EQ(drives.ToHostPath(c.windows, error), std::filesystem::path());
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
    }
}

TEST(J3DriveMap, RefusesBadDrivesAndRelativeFolders)
{
    CJ3DriveMap drives;
    EXPECT_FALSE(drives.Map('1', "/srv"));
    EXPECT_FALSE(drives.Map('C', "relative/folder"));
    EXPECT_TRUE(drives.Drives().empty());
}

TEST(J3DriveMap, TakesTheSpellingOfExistingEntriesWhenOnlyCaseDiffers)
{
    j3test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "J3" / "Hilfe");
    std::ofstream(dir.path() / "J3" / "Hilfe" / "J3Dialoge.chm") << "help";
    std::filesystem::create_directories(dir.path() / "J3" / "hilfe-other");
    CJ3DriveMap drives;
    ASSERT_TRUE(drives.Map('C', dir.path()));
    std::string error;
    EXPECT_EQ(drives.ToHostPath("C:\\j3\\HILFE\\j3dialoge.CHM", error), dir.path() / "J3" / "Hilfe" / "J3Dialoge.chm");
    // A name that does not exist keeps the spelling given, below the resolved folders.
    EXPECT_EQ(drives.ToHostPath("C:\\J3\\HILFE\\Neu.txt", error), dir.path() / "J3" / "Hilfe" / "Neu.txt");
    EXPECT_EQ(drives.ToHostPath("C:\\Missing\\Sub", error), dir.path() / "Missing" / "Sub");
}

} // namespace
