#include <QDialog>
#include <QImage>
#include <QTest>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DBFileDialogTestFixture.h"
#include "j3pick/J3PickApp.h"
#include "support/DialogDriver.h"
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
        StoreFile("C:\\P\\Data\\Briefe\\M\xfcller.txt");  // the store keeps Windows-1252
        StoreFile("C:\\P\\Data\\Briefe\\c.log");
        m_database = dbDatabase.GetFile().string();
    }

    // The program's class in this process; script plays on its dialog.
    SRun Pick(Strings args, const std::function<void(QDialog&)>& script)
    {
        args.insert(args.begin(), {"--db", m_database});
        std::ostringstream out;
        std::ostringstream err;
        CJ3PickApp app(out, err, args);
        SRun run;
        PlayWhenModal([&] { run.code = app.Pick(); }, script);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    // The program as a process of its own, on the offscreen platform or, with
    // kHeadless, as on a machine without any display.
    static constexpr const char* kHeadless = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
    SRun Start(const std::string& args, const std::string& env = "QT_QPA_PLATFORM=offscreen")
    {
        return j3test::RunProgram(env + " " + J3PICK_PROGRAM + " --db '" + m_database + "' " + args,
                                  m_scratch.path().string());
    }

    std::string m_database;
    j3test::TempDir m_scratch;
};

TEST_F(J3PickTest, PrintsWhatTheUserChose)
{
    const SRun one = Pick({"--dir", "C:\\P\\Data\\Briefe", "--filter", "Texte|*.txt||"},
                          [](QDialog& window) { DoubleClickRow(window, 1); });
    EXPECT_EQ(one.code, 0) << one.err;
    EXPECT_EQ(one.out, "C:\\P\\Data\\Briefe\\Müller.txt\n");

    const SRun several = Pick({"--dir", "C:\\P\\Data\\Briefe", "--multi"}, [](QDialog& window) {
        auto* list = j3test::DialogDriver::Find(window, kList);
        QTest::keyClick(list, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_EQ(several.code, 0) << several.err;
    EXPECT_EQ(several.out, "C:\\P\\Data\\Briefe\\A.txt\nC:\\P\\Data\\Briefe\\Müller.txt\nC:\\P\\Data\\Briefe\\c.log\n");

    const SRun saved = Pick({"--save", "--dir", "C:\\P\\Data\\Briefe", "--no-overwrite", "--name", "A.txt"},
                            [](QDialog& window) {
                                // The given name exists and is refused first.
                                TypeAndReturn(window, kFileBox, "");
                                TypeAndReturn(window, kFileBox, "Neu.txt");
                            });
    EXPECT_EQ(saved.code, 0) << saved.err;
    EXPECT_EQ(saved.out, "C:\\P\\Data\\Briefe\\Neu.txt\n");

    const SRun cancelled = Pick({}, [](QDialog& window) { QTest::keyClick(&window, Qt::Key_Escape); });
    EXPECT_EQ(cancelled.code, 1);
    EXPECT_EQ(cancelled.out, "");
    EXPECT_EQ(Boxes(), Strings{"Datei existiert bereits|Die Datei \"data\\Briefe\\A.txt\" existiert bereits in der "
                               "Datenbank und kann nicht überschrieben werden!"});
}

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
    EXPECT_GE(QImage(QString::fromStdString(png)).width(), 400);
}

} // namespace
