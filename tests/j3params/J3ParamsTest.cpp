#include "j3params/J3ConfigError.h"
#include "j3params/J3DriveMap.h"
#include "j3params/J3HostText.h"
#include "j3params/J3IniFile.h"
#include "j3params/J3MachineConfig.h"
#include "j3params/J3Params.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
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

// The configuration is read from a file in a temporary folder, with the
// environment a test gives: in the test's map, or for the suite's
// process-wide functions in the process environment.
class J3MachineConfigTest : public ::testing::Test {
protected:
    J3MachineConfigTest() { m_env["HOME"] = m_dir.file("home"); }
    void TearDown() override { unsetenv("J3_CONFIG"); }

    CJ3MachineConfig::EnvLookup Env() const
    {
        return [env = m_env](const std::string& name) -> std::optional<std::string> {
            const auto found = env.find(name);
            return found == env.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
    }

    void WriteConfig(const std::string& text)
    {
        std::ofstream(m_dir.file("j3machine.ini")) << text;
        m_env["J3_CONFIG"] = m_dir.file("j3machine.ini");
    }

    std::string LoadError()
    {
        try {
            CJ3MachineConfig::Load(Env());
        } catch (const CJ3ConfigError& error) {
            return error.what();
        }
        return "no error";
    }

    static std::string Identity(const CJ3MachineConfig& config)
    {
        const SJ3Identity& id = config.Identity();
        return id.workstation + "|" + id.user + "|" + id.progId + "|" + id.instance + "|" + id.praxis + "|" +
               id.mandant + "|" + id.task;
    }

    // Makes the file the process-wide configuration.
    void Configure(const std::string& text)
    {
        WriteConfig(text);
        setenv("J3_CONFIG", m_env["J3_CONFIG"].c_str(), 1);
        std::string error;
        ASSERT_TRUE(CJ3MachineConfig::ReloadCurrent(error)) << error;
    }

    j3test::TempDir m_dir;
    std::map<std::string, std::string> m_env;
};

TEST_F(J3MachineConfigTest, WithoutFileTheDefaultsLieBelowTheXdgFolders)
{
    const std::filesystem::path home = m_env["HOME"];
    const CJ3MachineConfig plain = CJ3MachineConfig::Load(Env());
    EXPECT_EQ(plain.SourceFile(), std::filesystem::path());
    EXPECT_EQ(plain.DatabaseFile(), home / ".local/share/j3/praxis.j3db");
    EXPECT_EQ(plain.Drives().Drives().at('C'), home / ".local/share/j3/drive_c");
    EXPECT_EQ(plain.Dir(EJ3Dir::Data), "C:\\J3\\Daten\\");
    EXPECT_EQ(plain.Identity().workstation, "1");
    EXPECT_EQ(plain.Identity().task, std::to_string(getpid()));

    m_env["XDG_DATA_HOME"] = "/xdg/data";
    m_env["XDG_CONFIG_HOME"] = "/xdg/config";
    EXPECT_EQ(CJ3MachineConfig::Load(Env()).DatabaseFile(), std::filesystem::path("/xdg/data/j3/praxis.j3db"));
    EXPECT_EQ(CJ3MachineConfig::FileLocation(Env()), std::filesystem::path("/xdg/config/j3/j3machine.ini"));
    // A relative XDG value is not usable and is passed over.
    m_env["XDG_DATA_HOME"] = "relative";
    EXPECT_EQ(CJ3MachineConfig::Load(Env()).DatabaseFile(), home / ".local/share/j3/praxis.j3db");

    const std::filesystem::path file = home / ".config/j3/j3machine.ini";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "[identity]\nworkstation = 42\n";
    m_env.erase("XDG_CONFIG_HOME");
    EXPECT_EQ(CJ3MachineConfig::FileLocation(Env()), file);
    const CJ3MachineConfig config = CJ3MachineConfig::Load(Env());
    EXPECT_EQ(config.SourceFile(), file);
    EXPECT_EQ(config.Identity().workstation, "42");
}

TEST_F(J3MachineConfigTest, TheFileOverridesTheDefaultsAndTheEnvironmentTheFile)
{
    WriteConfig("[database]\nfile = praxis/test.j3db\n"
                "[HOST]\nPlugins = ~/plugins\n"
                "[paths]\ndata = D:\\Praxis\\Daten\ndata_ro = C:\\RO\\\nqa = c:/qa\n"
                "appdata = C:\\App\\\ntemp = C:\\Tmp\\\nlog = C:\\Logs\nhelp = C:\\Hilfe\\\n"
                "[drives]\nc = /srv/c\nd = drive_d\n"
                "[identity]\nworkstation = 999\nuser = 22\nprogid = A B?\ninstance = 3\n"
                "praxis = P1\nmandant = 1\ntask = 12345\n"
                "[parameters]\nleaktrack = 2\nUseCrashRpt =\n");
    const CJ3MachineConfig config = CJ3MachineConfig::Load(Env());
    EXPECT_EQ(config.DatabaseFile(), m_dir.path() / "praxis/test.j3db");
    EXPECT_EQ(config.PluginDir(), std::filesystem::path(m_env["HOME"]) / "plugins");
    std::string dirs;
    for (EJ3Dir dir : {EJ3Dir::Data, EJ3Dir::DataRO, EJ3Dir::QA, EJ3Dir::AppData, EJ3Dir::Temp, EJ3Dir::Log,
                       EJ3Dir::Help})
        dirs += config.Dir(dir) + "|";
    EXPECT_EQ(dirs, "D:\\Praxis\\Daten\\|C:\\RO\\|c:/qa\\|C:\\App\\|C:\\Tmp\\|C:\\Logs\\|C:\\Hilfe\\|");
    EXPECT_EQ(config.Drives().Drives().at('C'), std::filesystem::path("/srv/c"));
    EXPECT_EQ(config.Drives().Drives().at('D'), m_dir.path() / "drive_d");
    EXPECT_EQ(Identity(config), "999|22|A B?|3|P1|1|12345");
    EXPECT_EQ(config.MachineParameter("LEAKTRACK"), "2");
    EXPECT_EQ(config.MachineParameter("UseCrashRpt"), "");

    m_env.insert({{"J3_WORKSTATION", "8"}, {"J3_USER", "23"}, {"J3_PROGID", "XY"}, {"J3_INSTANCE", "2"},
                  {"J3_PRAXIS", "P2"}, {"J3_MANDANT", "5"}, {"J3_TASK", "99"}, {"J3_DB", "/env/praxis.j3db"},
                  {"J3_PLUGIN_DIR", "/env/plugins"}});
    const CJ3MachineConfig overridden = CJ3MachineConfig::Load(Env());
    EXPECT_EQ(Identity(overridden), "8|23|XY|2|P2|5|99");
    EXPECT_EQ(overridden.DatabaseFile(), std::filesystem::path("/env/praxis.j3db"));
    EXPECT_EQ(overridden.PluginDir(), std::filesystem::path("/env/plugins"));
    // An empty variable counts as unset: the file's value stays.
    m_env["J3_WORKSTATION"] = "";
    EXPECT_EQ(CJ3MachineConfig::Load(Env()).Identity().workstation, "999");

    // A server's URL is taken as it stands, in the environment as in the file.
    m_env["J3_DB"] = "postgresql://j3@server:5432/praxis";
    EXPECT_EQ(CJ3MachineConfig::Load(Env()).DatabaseFile(), std::filesystem::path(m_env["J3_DB"]));
    // A password may stand in a file that only its owner can read.
    WriteConfig("[database]\nurl = host=db dbname=praxis password=geheim\n");
    std::filesystem::permissions(m_env["J3_CONFIG"], std::filesystem::perms::owner_read);
    m_env.erase("J3_DB");
    const CJ3MachineConfig server = CJ3MachineConfig::Load(Env());
    EXPECT_EQ(server.DatabaseFile(), std::filesystem::path("host=db dbname=praxis password=geheim"));
    EXPECT_NE(server.DatabaseOrigin().find("([database] url)"), std::string::npos) << server.DatabaseOrigin();
}

TEST_F(J3MachineConfigTest, FaultsNameTheirPlace)
{
    // Without a variable the text is the file's.
    const struct { const char* variable; std::string text; const char* expected; } cases[] = {
        {nullptr, "[database]\nfile = x\n[colours]\nred = 1\n", "j3machine.ini:4: unknown section [colours]"},
        {nullptr, "[paths]\ndata = C:\\D\\\ndatapath = C:\\X\\\n", "j3machine.ini:3: unknown key \"datapath\" in [paths]"},
        {nullptr, "[paths]\nlog = /var/log/j3\n", "j3machine.ini:2: log must be an absolute Windows path"},
        {nullptr, "[drives]\nCD = /srv\n", "j3machine.ini:2: a drive is one letter A to Z"},
        {nullptr, "[database]\nfile =\n", "j3machine.ini:2: file must name a host path"},
        {nullptr, "[database]\nurl = /srv/praxis.j3db\n", "j3machine.ini:2: url must be a postgresql:// URL"},
        {nullptr, "[database]\nurl = postgresql://j3:geheim@db/praxis\n", "others may read it; make it the "
                                                                           "owner's alone (chmod 600"},
        {nullptr, "[identity]\n\nworkstation = 1000\n", "j3machine.ini:3: workstation must lie between 1 and 999"},
        {nullptr, "[identity]\nworkstation = 0\n", "j3machine.ini:2: workstation must lie between 1 and 999"},
        {nullptr, "[identity]\nuser = zwölf\n", "j3machine.ini:2: user must be a decimal number"},
        {nullptr, "[identity]\ntask = 12345678901\n", "j3machine.ini:2: task must be a decimal number"},
        {nullptr, "[identity]\nprogid =\n", "j3machine.ini:2: progid must not be empty"},
        {nullptr, "[identity]\npraxis = \"a\tb\"\n", "j3machine.ini:2: praxis must not hold control characters"},
        {nullptr, "[identity]\nuser\n", "j3machine.ini:2: expected \"key = value\""},
        {"J3_WORKSTATION", "1000", "environment: J3_WORKSTATION"},
        {"J3_USER", "1.5", "environment: J3_USER"},
        {"J3_PROGID", "a\nb", "environment: J3_PROGID"},
        {"J3_CONFIG", m_dir.file("missing.ini"), "missing.ini: the machine configuration file does not exist"},
        {"J3_CONFIG", m_dir.path().string(), "does not exist or is no file"},
    };
    std::error_code ignored;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_env = {{"HOME", m_dir.file("home")}};
        if (c.variable)
            m_env[c.variable] = c.text;
        else
            WriteConfig(c.text);
        std::filesystem::permissions(m_dir.file("j3machine.ini"), std::filesystem::perms::others_read,
                                     std::filesystem::perm_options::add, ignored);
        EXPECT_NE(LoadError().find(c.expected), std::string::npos) << LoadError();
    }
}

TEST_F(J3MachineConfigTest, TheSuitesFunctionsGiveWindows1252Texts)
{
    Configure("[paths]\ndata = C:\\Praxis Müller\\Daten\ndata_ro = C:\\RO\\\nqa = C:\\QA\\\n"
              "appdata = C:\\App\\\ntemp = C:\\Tmp\\\nlog = C:\\Log\\\nhelp = C:\\Hilfe\\\n"
              "[parameters]\nleaktrack = 2\nUseCrashRpt =\nGruß = Grüße\n"
              "[drives]\nC = " + m_dir.file("c") + "\n");
    CString appData = "stale";
    GetJ3AppDataPath(appData);
    EXPECT_EQ(GetJ3DataPath(0) + "|" + GetJ3DataROPath(0) + "|" + GetJ3QAPath() + "|" + appData + "|" +
                  GetJ3TempPath() + "|" + GetJ3LogPath() + "|" + GetJ3HelpPath(),
              CString("C:\\Praxis M\xFCller\\Daten\\|C:\\RO\\|C:\\QA\\|C:\\App\\|C:\\Tmp\\|C:\\Log\\|C:\\Hilfe\\"));

    // Machine parameters keep the caller's preset when absent.
    const struct { const char* name; bool present; CString value; } parameters[] = {
        {"leaktrack", true, "2"}, {"LeakTrack", true, "2"}, {"UseCrashRpt", true, ""},
        {"Gru\xDF", true, "Gr\xFC\xDF" "e"}, {"absent", false, "preset"}, {nullptr, false, "preset"},
    };
    for (const auto& p : parameters) {
        SCOPED_TRACE(p.name ? p.name : "null");
        CString value = "preset";
        EXPECT_EQ(GetJ3MachineParameter(p.name, value), p.present);
        EXPECT_EQ(value, p.value);
    }

    // Host paths follow the drive mapping.
    CString error;
    EXPECT_EQ(GetJ3HostPath("C:\\J3\\Log\\Br\xFC" "cke.log", error), m_dir.path() / "c/J3/Log/Brücke.log");
    EXPECT_TRUE(error.IsEmpty());
    EXPECT_EQ(GetJ3HostPath("C:\\..\\x", error), std::filesystem::path());
    EXPECT_NE(error.Find("leaves the folder"), -1) << error.GetString();

    // A failed reload keeps the previous configuration.
    std::ofstream(m_dir.file("j3machine.ini")) << "[paths]\ndata\n";
    std::string reloadError;
    EXPECT_FALSE(CJ3MachineConfig::ReloadCurrent(reloadError));
    EXPECT_NE(reloadError.find("j3machine.ini:2:"), std::string::npos) << reloadError;
    EXPECT_EQ(GetJ3DataPath(0), CString("C:\\Praxis M\xFCller\\Daten\\"));
}

} // namespace
