#include <QImage>
#include <gmock/gmock.h>

#include <fstream>
#include <string>

#include "DBFileDialogTestFixture.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"
#include "vkdb/VKDatabase.h"

namespace {

using SRun = j3test::SProgramRun;

class J3PickTest : public DBFileDialogTestFixture {
protected:
    void SetUp() override
    {
        DBFileDialogTestFixture::SetUp();
        StoreFile("C:\\P\\Data\\Briefe\\A.txt");
        m_database = dbDatabase.GetFile().string();
    }

    // The program as a process of its own, on the offscreen platform or, with
    // kHeadless, as on a machine without any display.
    static constexpr const char* kHeadless = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR";
    SRun Start(const std::string& args, const std::string& env = "QT_QPA_PLATFORM=offscreen")
    {
        return j3test::RunProgram(env + " " + J3PICK_PROGRAM + " --db '" + m_database + "' " + args,
                                  m_scratch.path().string());
    }

    std::string m_database;
    j3test::TempDir m_scratch;
};

TEST_F(J3PickTest, RunsAsAProgramWithAndWithoutDisplay)
{
    const std::string config = m_scratch.file("j3machine.ini");
    std::ofstream(config) << "[database]\nfile = fehlt.j3db\n";
    const std::string offscreen = "QT_QPA_PLATFORM=offscreen";
    const struct { std::string env; std::string args; int code; std::string out; std::string err; } cases[] = {
        {kHeadless, "--help", 0, "Aufruf: j3pick", ""},
        {kHeadless, "--dir", 2, "", "j3pick: --dir braucht einen Wert"},
        {kHeadless, "--up", 2, "", "j3pick: Keine Anzeige ($DISPLAY, $WAYLAND_DISPLAY): der Dateidialog braucht"},
        {offscreen, "--dir 'C:\\P\\Data\\Fehlt'", 2, "",
         "j3pick: Das Verzeichnis C:\\P\\Data\\Fehlt existiert nicht in der Datenbank."},
        {offscreen, "--dir 'C:\\P\\Data\\\x1b[2J'", 2, "", "Das Verzeichnis C:\\P\\Data\\\\x1B[2J existiert nicht"},
        {offscreen, "--db /nonexistent/praxis.j3db", 2, "", "\"j3db init /nonexistent/praxis.j3db\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const SRun run = Start(c.args, c.env);
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.out.substr(0, c.out.size()), c.out);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        // One line of the program's own, whatever Qt itself may say.
        EXPECT_EQ(run.err.find("j3pick:", run.err.find("j3pick:") + 1), std::string::npos) << run.err;
    }
    // Without --db the message says which configuration chose the missing file.
    const SRun configured = j3test::RunProgram(
        "J3_DB= J3_CONFIG='" + config + "' " + offscreen + " " + J3PICK_PROGRAM, m_scratch.path().string());
    EXPECT_EQ(configured.code, 2);
    EXPECT_NE(configured.err.find("Die Datei ist eingestellt in " + config + ", Zeile 2 ([database] file)"),
              std::string::npos)
        << configured.err;

    // A picture of the dialog needs no display.
    const std::string png = m_scratch.file("dialog.png");
    const SRun pictured = Start("--down --dir 'C:\\P\\Data' --screenshot '" + png + "'", kHeadless);
    EXPECT_EQ(pictured.code, 0) << pictured.err;
    // Only the program's own warnings, none of Qt's platform chatter.
    EXPECT_THAT(pictured.err, ::testing::MatchesRegex("(Warnung: [^\n]*\n)*"));
    EXPECT_GE(QImage(QString::fromStdString(png)).width(), 400);
}

} // namespace
