#include "j3params/J3ConfigError.h"
#include "j3params/J3DriveMap.h"
#include "j3params/J3HostText.h"
#include "j3params/J3IniFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

namespace {

CJ3IniFile ParseText(const std::string& text)
{
    std::istringstream in(text);
    return CJ3IniFile::Parse(in, "test.ini");
}

TEST(J3IniFileTest, ReadsSectionsKeysAndValuesAsWritten)
{
    const CJ3IniFile file = ParseText("\xEF\xBB\xBF; comment\n"
                                      "[Paths]\r\n"
                                      "  data =  C:\\J3\\Daten\\  \n"
                                      "\n"
                                      "# another comment\n"
                                      "[parameters]\n"
                                      "UseCrashRpt =\n"
                                      "quoted = \"  two words  \"\n"
                                      "hash = a;b#c\n"
                                      "[paths]\n"
                                      "log=C:\\J3\\Log\\\n");
    using Entry = std::tuple<std::string, std::string, std::string, int>;
    std::vector<Entry> entries;
    for (const auto& e : file.Entries())
        entries.emplace_back(e.section, e.key, e.value, e.line);
    EXPECT_EQ(entries, (std::vector<Entry>{{"Paths", "data", "C:\\J3\\Daten\\", 3},
                                           {"parameters", "UseCrashRpt", "", 7},
                                           {"parameters", "quoted", "  two words  ", 8},
                                           {"parameters", "hash", "a;b#c", 9},
                                           {"paths", "log", "C:\\J3\\Log\\", 11}}));
    EXPECT_THROW(CJ3IniFile::Load("/nonexistent/j3machine.ini"), CJ3ConfigError);
}

TEST(J3IniFileTest, MalformedLinesNameTheirLine)
{
    std::string manyKeys = "[many]\n";
    for (int i = 0; i < 30000; ++i)
        manyKeys += "key" + std::to_string(i) + " = " + std::to_string(i) + "\n";
    const struct { std::string text; int line; const char* fragment; } cases[] = {
        {"[a]\nno equals sign\n", 2, "expected \"key = value\""},
        {"[a]\nx=1\n[unclosed\n", 3, "must end with ']'"},
        {"[]\n", 1, "section name is empty"},
        {"[a]\n = value\n", 2, "key before '=' is empty"},
        {"\nkey = value\n", 2, "before the first [section]"},
        {"[a]\nKey = 1\n[b]\nkey = 2\n[A]\nkey = 3\n", 6, "already given on line 2"},
        {std::string("[a]\nx = 1\0\n", 11), 2, "NUL byte"},
        {manyKeys + "key7 = again\n", 30002, "already given on line 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        try {
            ParseText(c.text);
            ADD_FAILURE() << "no error";
        } catch (const CJ3ConfigError& error) {
            const std::string what = error.what();
            EXPECT_EQ(error.Line(), c.line);
            EXPECT_NE(what.find("test.ini:" + std::to_string(c.line) + ": "), std::string::npos) << what;
            EXPECT_NE(what.find(c.fragment), std::string::npos) << what;
        }
    }
}

TEST(J3IniFileTest, HostTextsConvertBetweenUtf8And1252)
{
    const struct { const char* utf8; const char* ansi; const char* backToHost; bool fits; } cases[] = {
        {"Überweisung Müller.txt", "\xDC" "berweisung M\xFC" "ller.txt", "Überweisung Müller.txt", true},
        {"Größe € ß", "Gr\xF6\xDF" "e \x80 \xDF", "Größe € ß", true},
        {"", "", "", true},
        {"Zahn 🦷", "Zahn ?", "Zahn ?", false},
        {"Ω", "?", "?", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(CJ3HostText::FromHost(c.utf8), CString(c.ansi));
        EXPECT_EQ(CJ3HostText::FitsSuite(c.utf8), c.fits);
        EXPECT_EQ(CJ3HostText::ToHost(CString(c.ansi)), c.backToHost);
    }
}

TEST(J3IniFileTest, DrivePathsMapBelowTheirFolderAndTheRestIsRefused)
{
    CJ3DriveMap drives;
    EXPECT_FALSE(drives.Map('1', "/srv"));
    EXPECT_FALSE(drives.Map('C', "relative/folder"));
    ASSERT_TRUE(drives.Map('c', "/srv/j3/c"));
    ASSERT_TRUE(drives.Map('D', "/srv/j3/d/"));
    // An empty host: refused, for a reason with that fragment.
    const struct { const char* windows; const char* host; const char* fragment; } cases[] = {
        {"C:\\J3\\Log\\dbdll.log", "/srv/j3/c/J3/Log/dbdll.log", ""}, {"c:/J3/Log/", "/srv/j3/c/J3/Log", ""},
        {"C:\\", "/srv/j3/c", ""}, {"D:\\x\\\\y\\.\\z", "/srv/j3/d/x/y/z", ""},
        {"C:\\a\\b\\..\\..\\c", "/srv/j3/c/c", ""}, {"C:\\Brief an Müller.txt", "/srv/j3/c/Brief an Müller.txt", ""},
        {"E:\\J3\\x.txt", "", "drive E: of"}, {"C:\\..\\etc\\passwd", "", "leaves the folder of drive C:"},
        {"C:/J3/../../..", "", "leaves the folder of drive C:"}, {"C:relative", "", "no absolute path"},
        {"\\\\server\\share\\x", "", "no absolute path"}, {"J3\\Log", "", "no absolute path"},
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

TEST(J3IniFileTest, DrivePathsFollowCaseAndLinksOnlyWithinTheDrivesFolder)
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
    // An empty host: refused.
    const struct { const char* windows; std::filesystem::path host; } cases[] = {
        {"C:\\j3\\HILFE\\j3dialoge.CHM", drive / "J3" / "Hilfe" / "J3Dialoge.chm"},
        {"C:\\J3\\HILFE\\Neu.txt", drive / "J3" / "Hilfe" / "Neu.txt"}, {"C:\\Missing\\Sub", drive / "Missing" / "Sub"},
        {"C:\\Hilfe\\J3Dialoge.chm", drive / "Hilfe" / "J3Dialoge.chm"}, {"C:\\J3\\Log\\dbdll.log", {}},
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
