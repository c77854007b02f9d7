#include "PraxisFixture.h"

#include "j3params/J3MachineConfig.h"
#include "j3params/J3Params.h"
#include "j3praxis/J3PraxisDesk.h"
#include "msgbox/BoxAnswerer.h"
#include "support/DialogDriver.h"
#include "support/ProgramRun.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "vkwpfcpp/WPFApplication.h"
#include "vkwpfcpp/WPFIndexMarkerStrip.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <fstream>

namespace {

class PatientCardTest : public PraxisFixture {
protected:
    void SetUp() override
    {
        PraxisFixture::SetUp();
        SetEInfoPermission(2);
        SetMarkerPermission(2);
    }
};

TEST_F(PatientCardTest, MarkersFollowThePatientsFlags)
{
    struct SCase {
        const char* what;
        std::string flags;
        std::string shown;
        std::string storedAfterClosing;  // the desk changed nothing
    };
    const std::string zeroAndBlank = std::string(22, ' ') + "0 1" + std::string(22, ' ');
    const SCase cases[] = {
        {"first and last marker", Flags({0, 24}), "0 24", Flags({0, 24})},
        {"\"0\" and blank are off; \"0\" is stored as blank", zeroAndBlank, "2", Flags({2})},
        {"a ten-character text is padded, all off, and left as it was", "1111111111", "", "1111111111"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        StorePatient(1, "Albers", c.flags);
        RunProgram(Workstation1, [&] {
            CJ3PraxisDesk desk("");
            j3test::DialogDriver driver;
            driver.Do([&] { EXPECT_EQ(ShownMarkers(*desk.GetWindow()), c.shown); }).ClickFrameButton(VKButtonOK);
            EXPECT_EQ(driver.Run(desk), 1);
        });
        EXPECT_EQ(StoredFlags(1), c.storedAfterClosing);
        Execute("DELETE FROM pat;");
    }
}

TEST_F(PatientCardTest, SwitchedMarkersAreStoredWhenThePatientChangesAndWhenTheDeskCloses)
{
    StorePatient(1, "Albers", Flags({0}));
    StorePatient(2, "Brandt", Flags({}));
    RunProgram(Workstation1, [&] {
        CJ3PraxisDesk desk("");
        j3test::DialogDriver driver;
        driver.PressKey("Marker3", Qt::Key_Space)
            .Do([&] { EXPECT_EQ(ShownMarkers(*desk.GetWindow()), "0 3"); })
            .ClickRow("PatientList", 1)
            .Do([&] {
                EXPECT_EQ(desk.GetPatNr(), CString("         2"));
                EXPECT_EQ(ShownMarkers(*desk.GetWindow()), "");
            })
            .PressKey("Marker24", Qt::Key_Space)
            .PressKey("Marker3", Qt::Key_Space)
            .PressKey("Marker3", Qt::Key_Space)
            .ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(desk), 1);
    });
    EXPECT_EQ(StoredFlags(1), Flags({0, 3}));
    EXPECT_EQ(StoredFlags(2), Flags({24}));
}

TEST_F(PatientCardTest, NotesOfThePatientAndOfTheDeskAreReadAndWrittenAtTheirMoments)
{
    StorePatient(1, "Albers", Flags({}));
    StorePatient(2, "Brandt", Flags({}));
    StoreFile(DeskNote("1", 0), "alt");
    StoreFile(DeskNote("0", 0), "eigene");
    RunProgram(Workstation1, [&] {
        CJ3PraxisDesk desk("");
        j3test::DialogDriver driver;
        driver.Type("VKPOSTIT_0", "neu")
            .ClickRow("PatientList", 1)
            .Do([&] {
                // The first patient's note is stored the moment the desk leaves him.
                CString note;
                EXPECT_TRUE(CDBFileStore(dbDatabase).LoadFile(CString(DeskNote("1", 0)), note));
                EXPECT_EQ(note, CString("neu"));
            })
            .Click("VKPOSTIT_NEW")
            .Type("VKPOSTIT_0", "f\xC3\xBCr zwei")
            .ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(desk), 1);
    });
    const auto notes = StoredFiles(GetJ3DataPath(0).str() + "eInfo");
    const std::map<std::string, std::string> expected{
        {DeskNote("0", 0), "eigene"}, {DeskNote("1", 0), "neu"}, {DeskNote("2", 0), "f\xFCr zwei"}};
    EXPECT_EQ(notes, expected);
}

TEST_F(PatientCardTest, WithoutPatientsTheDeskKeepsItsOwnNotes)
{
    StoreFile(DeskNote("0", 0), "eigene");
    RunProgram(Workstation1, [&] {
        CJ3PraxisDesk desk("");
        j3test::DialogDriver driver;
        driver.Type("VKPOSTIT_0", "ge\xC3\xA4ndert").ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(desk), 1);
    });
    const auto notes = StoredFiles(GetJ3DataPath(0).str() + "eInfo");
    EXPECT_EQ(notes, (std::map<std::string, std::string>{{DeskNote("0", 0), "ge\xE4ndert"}}));
}

TEST_F(PatientCardTest, ThePermissionDecidesOverStripAndConfiguration)
{
    struct SCase {
        int permission;  // -1: none stored
        std::string shown;
        bool clickOpensConfiguration;
    };
    const SCase cases[] = {{-1, "no strip", false}, {0, "1", false}, {1, "1", true}, {2, "1", true}};
    StorePatient(1, "Albers", Flags({1}), "U+263A");
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.permission);
        Execute("DELETE FROM progpool;");
        SetEInfoPermission(2);
        if (c.permission >= 0)
            SetMarkerPermission(c.permission);
        RunProgram(Workstation1, [&] {
            CJ3PraxisDesk desk("");
            QString opened;
            j3test::DialogDriver driver;
            driver.Do([&] {
                QDialog& window = *desk.GetWindow();
                EXPECT_EQ(ShownMarkers(window), c.shown);
                // The emoji show with or without the markers.
                EXPECT_EQ(window.findChild<QLabel*>("VKEMOJI")->text(), QString::fromUtf8("\xE2\x98\xBA"));
                auto* strip = window.findChild<CWPFIndexMarkerStrip*>("IndexMarker");
                if (!strip)
                    return;
                // A dialog opened by the click is seen and cancelled.
                QTimer::singleShot(50, [&] {
                    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &window) {
                        opened = modal->windowTitle();
                        modal->close();
                    }
                });
                QTest::mouseClick(strip, Qt::LeftButton, {}, strip->MarkerRect(1).center());
                QTest::qWait(150);
            });
            driver.ClickFrameButton(VKButtonOK);
            EXPECT_EQ(driver.Run(desk), 1);
            EXPECT_EQ(opened, c.clickOpensConfiguration ? QString("Karteireiter konfigurieren") : QString());
        });
    }
}

TEST_F(PatientCardTest, TheProgramSavesItsDeskAsAPicture)
{
    StorePatient(1, "Albers", Flags({0, 1}));
    StoreFile(DeskNote("1", 0), "Notiz");
    j3test::TempDir scratch;
    const std::string png = scratch.file("desk.png");
    const auto run = j3test::RunProgram("J3_WORKSTATION=1 " + std::string(J3PRAXIS_PROGRAM) + " --db '" +
                                            File().string() + "' --screenshot '" + png + "'",
                                        scratch.path().string());
    EXPECT_EQ(run.code, 0) << run.err;
    const QImage picture(QString::fromStdString(png));
    ASSERT_FALSE(picture.isNull());
    // The first tab along the top edge in the toolkit's colour of marker 0.
    EXPECT_EQ(picture.pixelColor(25, 22), QColor(0xE6, 0x19, 0x4B));
    // The patient's note of this workstation, also on a database named by --db.
    bool noteShown = false;
    for (int y = 0; y < picture.height() && !noteShown; ++y)
        for (int x = 0; x < picture.width() && !noteShown; ++x)
            noteShown = picture.pixelColor(x, y) == QColor(0xFF, 0xF5, 0x9D);
    EXPECT_TRUE(noteShown);

    // Answered without a display: help, a wrong call, and a desk that needs a window.
    struct SCall {
        const char* args;
        int code;
        const char* says;
    };
    const SCall calls[] = {{" --help", 0, "--karteireiter"}, {" --pat zwei", 2, "--pat"}, {"", 2, "Keine Anzeige"}};
    for (const SCall& call : calls) {
        SCOPED_TRACE(call.args);
        const auto run = j3test::RunProgram(
            std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") + J3PRAXIS_PROGRAM + call.args,
            scratch.path().string());
        EXPECT_EQ(run.code, call.code);
        EXPECT_NE((run.out + run.err).find(call.says), std::string::npos) << run.out << run.err;
    }
}

} // namespace

namespace {

TEST_F(PatientCardTest, TheThemeComesFromTheMachineAndOnlyTheme1ShowsMarkersAndNotes)
{
    StorePatient(1, "Albers", Flags({0}));
    StoreFile(DeskNote("1", 0), "alt");
    struct SCase {
        const char* parameters;  // the machine configuration's [parameters]
        int theme;
        std::string shown;
        bool notesShown;
    };
    const SCase cases[] = {
        {"", 1, "0", true}, {"WPFTheme = 1\n", 1, "0", true}, {"WPFTheme = 2\n", 2, "no strip", false},
        {"WPFTheme = neu\n", 1, "0", true},
    };
    j3test::TempDir scratch;
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.parameters);
        std::ofstream(scratch.file("j3machine.ini")) << "[parameters]\n" << c.parameters;
        RunProgram(Workstation1, [&] {
            setenv("J3_CONFIG", scratch.file("j3machine.ini").c_str(), 1);
            std::string error;
            ASSERT_TRUE(CJ3MachineConfig::ReloadCurrent(error)) << error;
            EXPECT_EQ(CWPFApplication::GetWPFTheme(), c.theme);
            CJ3PraxisDesk desk("");
            j3test::DialogDriver driver;
            driver
                .Do([&] {
                    EXPECT_EQ(ShownMarkers(*desk.GetWindow()), c.shown);
                    EXPECT_EQ(j3test::DialogDriver::Find(*desk.GetWindow(), "VKPOSTIT_0") != nullptr, c.notesShown);
                })
                .ClickFrameButton(VKButtonOK);
            EXPECT_EQ(driver.Run(desk), 1);
        });
    }
    EXPECT_EQ(StoredFiles(GetJ3DataPath(0).str() + "eInfo"), (std::map<std::string, std::string>{{DeskNote("1", 0), "alt"}}));
}

} // namespace
