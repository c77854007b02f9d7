#include "J3DbToolFixture.h"

#include <gmock/gmock.h>

#include <fstream>

using ::testing::HasSubstr;

namespace {

using J3DbToolErrorsTest = J3DbToolFixture;

TEST_F(J3DbToolErrorsTest, HelpListsTheCommands)
{
    const SResult result = RunPlain({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    for (const char* command : {"init [--sample]", "ls [-l]", "put LOKAL PFAD", "get PFAD [LOKAL]", "rm PFAD",
                                "import ORDNER", "param get", "param set", "param ls"})
        EXPECT_THAT(result.out, HasSubstr(command));
}

TEST_F(J3DbToolErrorsTest, AMissingDatabaseSaysHowToCreateOne)
{
    for (const char* command : {"ls", "get", "rm"}) {
        SCOPED_TRACE(command);
        const SResult result = Run({command, "C:\\x"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_THAT(result.err, HasSubstr("j3db init"));
        EXPECT_FALSE(std::filesystem::exists(m_database));
    }
}

TEST_F(J3DbToolErrorsTest, AFileThatIsNoPracticeDatabaseIsRefusedUnchanged)
{
    const struct {
        const char* content;
        const char* fragment;
    } cases[] = {
        {"Dies ist ein Brief, keine Datenbank.\n", "keine lesbare Datenbank"},
        {"", "keine J3-Praxisdatenbank"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        std::ofstream(m_database, std::ios::binary | std::ios::trunc) << c.content;
        const SResult result = Run({"param", "set", "1", "k", "v"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_THAT(result.err, HasSubstr(c.fragment));
        EXPECT_EQ(DatabaseBytes(), c.content);
    }
}

TEST_F(J3DbToolErrorsTest, WrongCallsChangeNothing)
{
    ASSERT_EQ(Run({"init"}).exitCode, 0);
    WriteLocal("a.txt", "x");
    const std::string before = DatabaseBytes();
    const struct {
        std::vector<std::string> args;
        const char* fragment;
    } cases[] = {
        {{}, "Kein Befehl"},
        {{"--db"}, "--db braucht eine Datei"},
        {{"--verbose", "ls", "C:\\"}, "Unbekannte Option --verbose"},
        {{"kopiere", "a", "b"}, "Unbekannter Befehl kopiere (bekannt: init, ls, put, get, rm, import, param)"},
        {{"put", m_dir.file("a.txt")}, "Falsche Zahl von Argumenten für put"},
        {{"rm"}, "Falsche Zahl von Argumenten für rm"},
        {{"ls", "-a", "C:\\"}, "ls kennt nur die Option -l"},
        {{"init", "--leer"}, "Unbekannte Option --leer für init"},
        {{"param"}, "Falsche Zahl von Argumenten für param"},
        {{"param", "del", "1"}, "Unbekannter Befehl param del (bekannt: get, set, ls)"},
        {{"param", "set", "269", "key"}, "Falsche Zahl von Argumenten für param set"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fragment);
        std::vector<std::string> args{"--db", m_database};
        if (!c.args.empty() && c.args[0] == "--db")
            args.clear();
        args.insert(args.end(), c.args.begin(), c.args.end());
        const SResult result = RunPlain(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_THAT(result.err, HasSubstr(c.fragment));
        EXPECT_THAT(result.err, HasSubstr("j3db --help"));
    }
    EXPECT_EQ(DatabaseBytes(), before);
}

TEST_F(J3DbToolErrorsTest, FailedWorkChangesNothing)
{
    ASSERT_EQ(Run({"init"}).exitCode, 0);
    WriteLocal("a.txt", "x");
    ASSERT_EQ(Run({"put", m_dir.file("a.txt"), "C:\\D\\a.txt"}).exitCode, 0);
    const std::string before = DatabaseBytes();
    const struct {
        std::vector<std::string> args;
        const char* fragment;
    } cases[] = {
        {{"put", m_dir.file("fehlt.txt"), "C:\\D\\b.txt"}, "gibt es nicht, oder sie ist keine Datei"},
        {{"put", m_dir.path().string(), "C:\\D\\b.txt"}, "keine Datei"},
        {{"put", m_dir.file("a.txt"), "C:\\D"}, "schon ein Verzeichnis"},
        {{"put", m_dir.file("a.txt"), "C:\\D\\a.txt\\b"}, "unter einer Datei"},
        {{"put", m_dir.file("a.txt"), "C:\\D\\Zahn 🦷.txt"}, "Windows-1252"},
        {{"get", "C:\\D\\fehlt.txt"}, "existiert nicht"},
        {{"get", "C:\\D\\a.txt", m_dir.file("kein/ordner/x.txt")}, "kann nicht geschrieben werden"},
        {{"ls", "C:\\Nichts"}, "gibt es in der Datenbank nichts"},
        {{"import", m_dir.file("fehlt"), "C:\\D"}, "gibt es nicht"},
        {{"param", "get", "1000", "k"}, "Zahl von 0 bis 999"},
        {{"param", "set", "-1", "k", "v"}, "Zahl von 0 bis 999"},
        {{"param", "set", "12a", "k", "v"}, "Zahl von 0 bis 999"},
        {{"param", "set", "1", "k", "Zahn 🦷"}, "Windows-1252"},
        {{"param", "ls", "x"}, "Zahl von 0 bis 999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fragment);
        std::vector<std::string> args{"--db", m_database};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const SResult result = RunPlain(args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_THAT(result.err, HasSubstr(c.fragment));
    }
    EXPECT_EQ(DatabaseBytes(), before);
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("kein")));
}

TEST_F(J3DbToolErrorsTest, AMalformedMachineConfigurationStopsTheTool)
{
    std::ofstream(m_configFile) << "[paths]\ndata = kein Windows-Pfad\n";
    const SResult result = Run({"init"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("j3machine.ini:2: data must be an absolute Windows path"));
    EXPECT_FALSE(std::filesystem::exists(m_database));
}

} // namespace
