#include "j3params/J3ConfigError.h"
#include "j3params/J3MachineConfig.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace {

class J3MachineConfigTest : public ::testing::Test {
protected:
    J3MachineConfigTest() { m_env["HOME"] = m_dir.file("home"); }

    CJ3MachineConfig::EnvLookup Env() const
    {
        return [env = m_env](const std::string& name) -> std::optional<std::string> {
            const auto found = env.find(name);
            return found == env.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
    }

    // Writes the configuration file and names it in J3_CONFIG.
    void WriteConfig(const std::string& text)
    {
        const std::string file = m_dir.file("j3machine.ini");
        std::ofstream(file) << text;
        m_env["J3_CONFIG"] = file;
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
    EXPECT_EQ(CJ3MachineConfig::FileLocation(Env()), home / ".config/j3/j3machine.ini");

    m_env["XDG_DATA_HOME"] = "/xdg/data";
    m_env["XDG_CONFIG_HOME"] = "/xdg/config";
    const CJ3MachineConfig xdg = CJ3MachineConfig::Load(Env());
    EXPECT_EQ(xdg.DatabaseFile(), std::filesystem::path("/xdg/data/j3/praxis.j3db"));
    EXPECT_EQ(CJ3MachineConfig::FileLocation(Env()), std::filesystem::path("/xdg/config/j3/j3machine.ini"));

    // A relative XDG value is not usable and is passed over.
    m_env["XDG_DATA_HOME"] = "relative";
    EXPECT_EQ(CJ3MachineConfig::Load(Env()).DatabaseFile(), home / ".local/share/j3/praxis.j3db");

    EXPECT_EQ(plain.Dir(EJ3Dir::Data), "C:\\J3\\Daten\\");
    EXPECT_EQ(plain.Dir(EJ3Dir::Help), "C:\\J3\\Hilfe\\");
    EXPECT_EQ(plain.Identity().workstation, "1");
    EXPECT_EQ(plain.Identity().task, std::to_string(getpid()));
    EXPECT_FALSE(plain.MachineParameter("UseCrashRpt").has_value());

    const std::filesystem::path file = home / ".config/j3/j3machine.ini";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "[identity]\nworkstation = 42\n";
    m_env.erase("XDG_CONFIG_HOME");
    const CJ3MachineConfig config = CJ3MachineConfig::Load(Env());
    EXPECT_EQ(config.SourceFile(), file);
    EXPECT_EQ(config.Identity().workstation, "42");
}

TEST_F(J3MachineConfigTest, TheFileOverridesTheDefaults)
{
    WriteConfig("[database]\nfile = praxis/test.j3db\n"
                "[HOST]\nPlugins = ~/plugins\n"
                "[paths]\ndata = D:\\Praxis\\Daten\ndata_ro = C:\\RO\\\nqa = c:/qa\n"
                "appdata = C:\\App\\\ntemp = C:\\Tmp\\\nlog = C:\\Logs\nhelp = C:\\Hilfe\\\n"
                "[drives]\nc = /srv/c\nd = drive_d\n"
                "[identity]\nworkstation = 7\nuser = 22\nprogid = A B?\ninstance = 3\n"
                "praxis = P1\nmandant = 1\ntask = 12345\n"
                "[parameters]\nleaktrack = 2\nUseCrashRpt =\n");
    const CJ3MachineConfig config = CJ3MachineConfig::Load(Env());
    EXPECT_EQ(config.DatabaseFile(), m_dir.path() / "praxis/test.j3db");
    EXPECT_EQ(config.PluginDir(), std::filesystem::path(m_env["HOME"]) / "plugins");

    const struct {
        EJ3Dir dir;
        const char* value;
    } dirs[] = {
        {EJ3Dir::Data, "D:\\Praxis\\Daten\\"}, {EJ3Dir::DataRO, "C:\\RO\\"}, {EJ3Dir::QA, "c:/qa\\"},
        {EJ3Dir::AppData, "C:\\App\\"},        {EJ3Dir::Temp, "C:\\Tmp\\"},  {EJ3Dir::Log, "C:\\Logs\\"},
        {EJ3Dir::Help, "C:\\Hilfe\\"},
    };
    for (const auto& d : dirs)
        EXPECT_EQ(config.Dir(d.dir), d.value);

    EXPECT_EQ(config.Drives().Drives().at('C'), std::filesystem::path("/srv/c"));
    EXPECT_EQ(config.Drives().Drives().at('D'), m_dir.path() / "drive_d");

    const SJ3Identity& id = config.Identity();
    EXPECT_EQ(id.workstation + id.user + id.progId + id.instance + id.praxis + id.mandant + id.task,
              "722A B?3P1112345");

    EXPECT_EQ(config.MachineParameter("LEAKTRACK"), "2");
    EXPECT_EQ(config.MachineParameter("UseCrashRpt"), "");
    EXPECT_FALSE(config.MachineParameter("absent").has_value());
}

TEST_F(J3MachineConfigTest, TheEnvironmentOverridesTheFile)
{
    WriteConfig("[database]\nfile = /file/praxis.j3db\n[identity]\nworkstation = 7\nuser = 22\n");
    const struct {
        const char* variable;
        const char* value;
        std::string SJ3Identity::*member;
    } overrides[] = {
        {"J3_WORKSTATION", "8", &SJ3Identity::workstation}, {"J3_USER", "23", &SJ3Identity::user},
        {"J3_PROGID", "XY", &SJ3Identity::progId},          {"J3_INSTANCE", "2", &SJ3Identity::instance},
        {"J3_PRAXIS", "P2", &SJ3Identity::praxis},          {"J3_MANDANT", "5", &SJ3Identity::mandant},
        {"J3_TASK", "99", &SJ3Identity::task},
    };
    for (const auto& o : overrides)
        m_env[o.variable] = o.value;
    m_env["J3_DB"] = "/env/praxis.j3db";
    m_env["J3_PLUGIN_DIR"] = "/env/plugins";
    const CJ3MachineConfig config = CJ3MachineConfig::Load(Env());
    for (const auto& o : overrides)
        EXPECT_EQ(config.Identity().*o.member, o.value) << o.variable;
    EXPECT_EQ(config.DatabaseFile(), std::filesystem::path("/env/praxis.j3db"));
    EXPECT_EQ(config.PluginDir(), std::filesystem::path("/env/plugins"));

    // An empty variable counts as unset: the file's value stays.
    m_env["J3_WORKSTATION"] = "";
    EXPECT_EQ(CJ3MachineConfig::Load(Env()).Identity().workstation, "7");

    // A server's URL is taken as it stands, in the file as in the environment.
    m_env["J3_DB"] = "postgresql://j3@server:5432/praxis";
    EXPECT_EQ(CJ3MachineConfig::Load(Env()).DatabaseFile(), std::filesystem::path(m_env["J3_DB"]));
    WriteConfig("[database]\nurl = postgresql://j3@db/praxis\n");
    m_env.erase("J3_DB");
    EXPECT_EQ(CJ3MachineConfig::Load(Env()).DatabaseFile(), std::filesystem::path("postgresql://j3@db/praxis"));
    EXPECT_NE(CJ3MachineConfig::Load(Env()).DatabaseOrigin().find("([database] url)"), std::string::npos);
}

TEST_F(J3MachineConfigTest, FaultsNameTheFileAndLine)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"[database]\nfile = x\n[colours]\nred = 1\n", "j3machine.ini:4: unknown section [colours]"},
        {"[paths]\ndata = C:\\D\\\ndatapath = C:\\X\\\n", "j3machine.ini:3: unknown key \"datapath\" in [paths]"},
        {"[paths]\nlog = /var/log/j3\n", "j3machine.ini:2: log must be an absolute Windows path"},
        {"[paths]\nlog =\n", "j3machine.ini:2: log must be an absolute Windows path"},
        {"[drives]\nCD = /srv\n", "j3machine.ini:2: a drive is one letter A to Z"},
        {"[drives]\n1 = /srv\n", "j3machine.ini:2: a drive is one letter A to Z"},
        {"[database]\nfile =\n", "j3machine.ini:2: file must name a host path"},
        {"[database]\nurl = /srv/praxis.j3db\n", "j3machine.ini:2: url must start with postgresql://"},
        {"[identity]\n\nworkstation = 1000\n", "j3machine.ini:3: workstation must lie between 1 and 999"},
        {"[identity]\nworkstation = 0\n", "j3machine.ini:2: workstation must lie between 1 and 999"},
        {"[identity]\nuser = zwölf\n", "j3machine.ini:2: user must be a decimal number"},
        {"[identity]\ninstance = -1\n", "j3machine.ini:2: instance must be a decimal number"},
        {"[identity]\ntask = 12345678901\n", "j3machine.ini:2: task must be a decimal number"},
        {"[identity]\nprogid =\n", "j3machine.ini:2: progid must not be empty"},
        {"[identity]\npraxis = \"a\tb\"\n", "j3machine.ini:2: praxis must not hold control characters"},
        {"[identity]\nuser\n", "j3machine.ini:2: expected \"key = value\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WriteConfig(c.text);
        EXPECT_NE(LoadError().find(c.expected), std::string::npos) << LoadError();
    }
}

TEST_F(J3MachineConfigTest, BadEnvironmentValuesAndMissingFilesAreFaults)
{
    const struct {
        const char* variable;
        std::string value;
        const char* expected;
    } cases[] = {
        {"J3_WORKSTATION", "abc", "environment: J3_WORKSTATION"},
        {"J3_WORKSTATION", "1000", "environment: J3_WORKSTATION"},
        {"J3_USER", "1.5", "environment: J3_USER"},
        {"J3_PROGID", "a\nb", "environment: J3_PROGID"},
        {"J3_CONFIG", m_dir.file("missing.ini"), "missing.ini: the machine configuration file does not exist"},
        {"J3_CONFIG", m_dir.path().string(), "does not exist or is no file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        m_env = {{"HOME", m_dir.file("home")}, {c.variable, c.value}};
        EXPECT_NE(LoadError().find(c.expected), std::string::npos) << LoadError();
    }
}

} // namespace
