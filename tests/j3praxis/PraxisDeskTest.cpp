#include "PraxisFixture.h"

#include "j3params/J3MachineConfig.h"
#include "j3params/J3Params.h"
#include "j3praxis/J3PraxisDesk.h"
#include "support/DialogDriver.h"
#include "support/ProgramRun.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "vkwpfcpp/WPFIndexMarkerStrip.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

// The desk of j3praxis driven as a user would, each run a program of its own.
class PraxisDeskTest : public PraxisFixture {
protected:
    void SetUp() override
    {
        PraxisFixture::SetUp();
        SetEInfoPermission(2);
        SetMarkerPermission(2);
    }

    // Runs the desk in a program on workstation 1 with the steps, ending with OK.
    void RunDesk(const std::function<void(j3test::DialogDriver&, CJ3PraxisDesk&)>& steps)
    {
        RunProgram(Workstation1, [&] {
            CJ3PraxisDesk desk("");
            j3test::DialogDriver driver;
            steps(driver, desk);
            driver.ClickFrameButton(VKButtonOK);
            EXPECT_EQ(driver.Run(desk), 1);
        });
    }

    std::map<std::string, std::string> Notes() { return StoredFiles(GetJ3DataPath(0).str() + "eInfo"); }

    // In a program: once a dialog opens over the desk, the driver plays on it.
    static void WhenDialogOverDesk(QDialog* desk, j3test::DialogDriver& driver)
    {
        auto* poll = new QTimer(desk);
        poll->setInterval(1);
        QObject::connect(poll, &QTimer::timeout, [=, &driver] {
            auto* over = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!over || over == desk)
                return;
            poll->stop();
            driver.PlayOn(*over);
        });
        poll->start();
    }
};

// Only "1" is on; bytes of markers nobody switched stay as stored; a
// ten-character text is padded, all off, and left as it was when the desk
// changed nothing.
TEST_F(PraxisDeskTest, MarkersFollowTheFlagsAndSwitchedOnesAreStoredWhenThePatientChangesOrTheDeskCloses)
{
    StorePatient(1, "Albers", Flags({0, 24}));
    StorePatient(2, "Brandt", std::string(22, ' ') + "0x1" + std::string(22, ' '));
    StorePatient(3, "Claus", "1111111111");
    RunDesk([&](j3test::DialogDriver& driver, CJ3PraxisDesk& desk) {
        const auto shown = [&](const std::string& markers) { EXPECT_EQ(ShownMarkers(*desk.GetWindow()), markers); };
        driver.Do([shown] { shown("0 24"); })
            .PressKey("Marker3", Qt::Key_Space)
            .ClickRow("PatientList", 1)
            .Do([shown] { shown("2"); })
            .PressKey("Marker24", Qt::Key_Space)
            .PressKey("Marker3", Qt::Key_Space)
            .PressKey("Marker3", Qt::Key_Space)
            .ClickRow("PatientList", 2)
            .Do([shown] { shown(""); });
    });
    EXPECT_EQ(StoredFlags(1), Flags({0, 3, 24}));
    EXPECT_EQ(StoredFlags(2), std::string(22, ' ') + "0x1" + std::string(21, ' ') + "1");
    EXPECT_EQ(StoredFlags(3), "1111111111");
}

TEST_F(PraxisDeskTest, NotesOfThePatientAndOfTheDeskAreReadAndWrittenAtTheirMoments)
{
    StoreFile(DeskNote("0", 0), "eigene");
    // Without patients the desk keeps its own notes.
    RunDesk([&](j3test::DialogDriver& driver, CJ3PraxisDesk&) { driver.Type("VKPOSTIT_0", "ge\xC3\xA4ndert"); });
    EXPECT_EQ(Notes(), (std::map<std::string, std::string>{{DeskNote("0", 0), "ge\xE4ndert"}}));

    StorePatient(1, "Albers", Flags({}));
    StorePatient(2, "Brandt", Flags({}));
    StoreFile(DeskNote("1", 0), "alt");
    RunDesk([&](j3test::DialogDriver& driver, CJ3PraxisDesk&) {
        // Patient 1's note goes to the store as the desk moves on to patient 2.
        driver.Type("VKPOSTIT_0", "neu")
            .ClickRow("PatientList", 1)
            .Click("VKPOSTIT_NEW")
            .Type("VKPOSTIT_0", "f\xC3\xBCr zwei");
    });
    EXPECT_EQ(Notes(), (std::map<std::string, std::string>{{DeskNote("0", 0), "ge\xE4ndert"}, {DeskNote("1", 0), "neu"},
                                                           {DeskNote("2", 0), "f\xFCr zwei"}}));
}

// The theme comes from the machine's configuration; only theme 1 shows markers and notes.
TEST_F(PraxisDeskTest, ThemeAndPermissionDecideOverStripNotesAndConfiguration)
{
    StorePatient(1, "Albers", Flags({1}), "U+263A");
    StoreFile(DeskNote("1", 0), "alt");
    // The machine configuration's [parameters], the marker permission (-1: none stored), and what the desk
    // shows and opens on a click on the strip.
    const struct { const char* parameters; int permission, theme; std::string shown; bool notes, opens; } cases[] = {
        {"", -1, 1, "no strip", true, false}, {"", 0, 1, "1", true, false}, {"WPFTheme = 1\n", 1, 1, "1", true, true},
        {"WPFTheme = 2\n", 2, 2, "no strip", false, false}, {"WPFTheme = neu\n", 2, 1, "1", true, true}};
    j3test::TempDir scratch;
    std::string error;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.parameters) + std::to_string(c.permission));
        Execute("DELETE FROM progpool;");
        SetEInfoPermission(2);
        if (c.permission >= 0)
            SetMarkerPermission(c.permission);
        std::ofstream(scratch.file("j3machine.ini")) << "[parameters]\n" << c.parameters;
        // The program starts with the machine's configuration of this process.
        setenv("J3_CONFIG", scratch.file("j3machine.ini").c_str(), 1);
        ASSERT_TRUE(CJ3MachineConfig::ReloadCurrent(error)) << error;
        j3test::DialogDriver configuration;
        configuration.ClickFrameButton(VKButtonCancel);
        RunDesk([&](j3test::DialogDriver& driver, CJ3PraxisDesk& desk) {
            driver.Do([&] {
                QDialog& window = *desk.GetWindow();
                EXPECT_EQ(ShownMarkers(window), c.shown);
                EXPECT_EQ(j3test::DialogDriver::Find(window, "VKPOSTIT_0") != nullptr, c.notes);
                // The emoji show with or without the markers, in theme 1.
                EXPECT_EQ(window.findChild<QLabel*>("VKEMOJI")->text(),
                          c.theme == 1 ? QString::fromUtf8("\xE2\x98\xBA") : QString());
                WhenDialogOverDesk(&window, configuration);
                if (auto* strip = window.findChild<CWPFIndexMarkerStrip*>("IndexMarker"))
                    QTest::mouseClick(strip->findChild<QWidget*>("IndexMarkerTab1"), Qt::LeftButton);
                EXPECT_EQ(configuration.ScriptRan(), c.opens);
            });
        });
    }
    unsetenv("J3_CONFIG");
    ASSERT_TRUE(CJ3MachineConfig::ReloadCurrent(error)) << error;
    EXPECT_EQ(Notes(), (std::map<std::string, std::string>{{DeskNote("1", 0), "alt"}}));
}

TEST_F(PraxisDeskTest, TheProgramSavesItsDeskAsAPictureAndAnswersWithoutDisplay)
{
    StorePatient(1, "Albers", Flags({0, 1}));
    StoreFile(DeskNote("1", 0), "Notiz");
    j3test::TempDir scratch;
    const std::string png = scratch.file("desk.png");
    // On a full-HD desktop the desk takes four fifths of it.
    std::ofstream(scratch.file("screen.json")) << R"({"screens": [{"name": "HD", "width": 1920, "height": 1080}]})";
    const auto run = j3test::RunProgram("J3_WORKSTATION=1 QT_QPA_PLATFORM=offscreen:configfile=" +
                                            scratch.file("screen.json") + " " + J3PRAXIS_PROGRAM + " --db '" +
                                            File().string() + "' --screenshot '" + png + "'",
                                        scratch.path().string());
    EXPECT_EQ(run.code, 0) << run.err;
    const QImage picture(QString::fromStdString(png));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(1536, 864));
    // The first tab along the top edge in the toolkit's colour of marker 0.
    EXPECT_EQ(picture.pixelColor(25, 22), QColor(0xE6, 0x19, 0x4B));
    // The patient's note of this workstation, also on a database named by --db.
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    const auto* first = reinterpret_cast<const QRgb*>(pixels.constBits());
    EXPECT_TRUE(std::count(first, first + pixels.width() * pixels.height(), qRgb(0xFF, 0xF5, 0x9D)) > 0);

    // Help, a wrong call, and a desk that needs a window.
    const struct { const char* args; int code; const char* says; } calls[] = {
        {" --help", 0, "--karteireiter"}, {" --pat zwei", 2, "--pat"}, {" --pat 2147483648", 2, "nicht \"2147483648\""},
        {"", 2, "Keine Anzeige"}};
    for (const auto& call : calls) {
        SCOPED_TRACE(call.args);
        const auto run = j3test::RunProgram(
            std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") + J3PRAXIS_PROGRAM + call.args,
            scratch.path().string());
        EXPECT_EQ(run.code, call.code);
        EXPECT_NE((run.out + run.err).find(call.says), std::string::npos) << run.out << run.err;
    }
}

} // namespace
