#include "j3params/J3DriveMap.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(J3DriveMap, MapsDrivePathsBelowTheirFolderAndRefusesTheRest)
{
    CJ3DriveMap drives;
    EXPECT_FALSE(drives.Map('1', "/srv"));
    EXPECT_FALSE(drives.Map('C', "relative/folder"));
    ASSERT_TRUE(drives.Map('c', "/srv/j3/c"));
    ASSERT_TRUE(drives.Map('D', "/srv/j3/d/"));
    const struct {
        const char* windows;
        const char* host;     // empty: refused
        const char* fragment; // of the reason
    } cases[] = {
        {"C:\\J3\\Log\\dbdll.log", "/srv/j3/c/J3/Log/dbdll.log", ""},
        {"c:/J3/Log/", "/srv/j3/c/J3/Log", ""},
        {"C:\\", "/srv/j3/c", ""},
        {"D:\\x\\\\y\\.\\z", "/srv/j3/d/x/y/z", ""},
        {"C:\\a\\b\\..\\..\\c", "/srv/j3/c/c", ""},
        {"C:\\Brief an Müller.txt", "/srv/j3/c/Brief an Müller.txt", ""},
        {"E:\\J3\\x.txt", "", "drive E: of"},
        {"C:\\..\\etc\\passwd", "", "leaves the folder of drive C:"},
        {"C:/J3/../../..", "", "leaves the folder of drive C:"},
        {"C:relative", "", "no absolute path"},
        {"\\\\server\\share\\x", "", "no absolute path"},
        {"J3\\Log", "", "no absolute path"},
        {"", "", "no absolute path"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.windows);
        std::string error = "stale";
        EXPECT_EQ(drives.ToHostPath(c.windows, error), std::filesystem::path(c.host));
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
        EXPECT_EQ(error.empty(), *c.host != '\0');
    }
}

TEST(J3DriveMap, FollowsCaseAndLinksOnlyWithinTheDrivesFolder)
{
    j3test::TempDir dir;
    const std::filesystem::path drive = dir.path() / "c";
    std::filesystem::create_directories(drive / "J3" / "Hilfe");
    std::ofstream(drive / "J3" / "Hilfe" / "J3Dialoge.chm") << "help";
    std::filesystem::create_directories(dir.path() / "draussen");
    std::filesystem::create_directory_symlink(dir.path() / "draussen", drive / "J3" / "Log");
    std::filesystem::create_symlink(dir.path() / "draussen" / "passwd", drive / "dbdll.log");
    std::filesystem::create_directory_symlink(drive / "J3" / "Hilfe", drive / "Hilfe");
    CJ3DriveMap drives;
    ASSERT_TRUE(drives.Map('C', drive));
    const struct {
        const char* windows;
        std::filesystem::path host; // empty: refused
    } cases[] = {
        {"C:\\j3\\HILFE\\j3dialoge.CHM", drive / "J3" / "Hilfe" / "J3Dialoge.chm"},
        {"C:\\J3\\HILFE\\Neu.txt", drive / "J3" / "Hilfe" / "Neu.txt"},
        {"C:\\Missing\\Sub", drive / "Missing" / "Sub"},
        {"C:\\Hilfe\\J3Dialoge.chm", drive / "Hilfe" / "J3Dialoge.chm"},
        {"C:\\J3\\Log\\dbdll.log", {}},
        {"C:\\dbdll.log", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.windows);
        std::string error;
        EXPECT_EQ(drives.ToHostPath(c.windows, error), c.host);
        EXPECT_EQ(error.find("symbolic link out of the folder of drive C:") != std::string::npos, c.host.empty())
            << error;
    }
}

} // namespace
