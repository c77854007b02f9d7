#include "PraxisFixture.h"

#include "msgbox/BoxAnswerer.h"
#include "msgbox/Boxes.h"
#include "j3praxis/J3PraxisDesk.h"
#include "support/DialogDriver.h"
#include "vkwpfcpp/VKButtonClass.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

// Albers 1 and 2 are one patient taken up twice (same name, first name and
// birth date); Brandt is someone else.
class PatientDeskTest : public PraxisFixture {
protected:
    void SetUp() override
    {
        PraxisFixture::SetUp();
        SetEInfoPermission(2);
        SetMarkerPermission(2);
        StorePatients();
    }

    void StorePatients()
    {
        Execute("DELETE FROM pat; DELETE FROM files;");
        StorePatient(1, "Albers", Flags({0}));
        StorePatient(2, "ALBERS", Flags({3}));
        StorePatient(3, "Brandt", Flags({}));
        StoreFile(DeskNote("2", 0), "Allergie");
    }

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

TEST_F(PatientDeskTest, ANumberTypedIntoThePatientFieldShowsThePatient)
{
    RunProgram(Workstation1, [&] {
        CJ3PraxisDesk desk("");
        j3test::DialogDriver driver;
        driver.Type("VKS_PAT", "3").PressKey("ConfigButton", Qt::Key_Shift).Do([&] {
            EXPECT_EQ(desk.GetPatNr(), CString("         3"));
            EXPECT_EQ(qobject_cast<QLineEdit*>(j3test::DialogDriver::Find(*desk.GetWindow(), "VKS_PAT"))->text(),
                      "         3-Brandt, Eva *31.01.1970");
        });
        driver.ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(desk), 1);
    });
}
TEST_F(PatientDeskTest, TickedDuplicatesMergeIntoTheFirstOrAreShownOnTheCard)
{
    const struct {
        int button;             // OK merges, "Anzeigen" shows the ticked patient
        const char* shownNr;    // the desk's patient afterwards
        std::string shownMarkers;
        std::string keptFlags;  // stored for patient 1
        std::string duplicateFlags;
        std::string keptNote;   // the duplicate's note, moved or not
    } cases[] = {
        {VKButtonOK, "         1", "0 3", Flags({0, 3}), "?", "Allergie"},
        {VKButtonZoom, "         2", "3", Flags({0}), Flags({3}), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        StorePatients();
        RunProgram(Workstation1, [&] {
            CBoxAnswerer::Installed()->QueueAnswer(BOX_YES);
            CJ3PraxisDesk desk("");
            j3test::DialogDriver merge;
            merge.Do([&] {
                     EXPECT_EQ(QApplication::activeModalWidget()->windowTitle(), "Patienten zusammenführen");
                 })
                .ClickRow("VKLISTE", 1)
                .ClickFrameButton(c.button);
            j3test::DialogDriver driver;
            driver.Do([&] { WhenDialogOverDesk(desk.GetWindow(), merge); })
                .Click("MergeButton")
                .Do([&] {
                    EXPECT_TRUE(merge.ScriptRan());
                    EXPECT_EQ(desk.GetPatNr(), CString(c.shownNr));
                    EXPECT_EQ(ShownMarkers(*desk.GetWindow()), c.shownMarkers);
                })
                .ClickFrameButton(VKButtonOK);
            EXPECT_EQ(driver.Run(desk), 1);
        });
        EXPECT_EQ(StoredFlags(1), c.keptFlags);
        EXPECT_EQ(StoredFlags(2), c.duplicateFlags);
        const auto notes = StoredFiles(DeskNote("1", 0).substr(0, DeskNote("1", 0).rfind('\\')));
        EXPECT_EQ(notes.count(DeskNote("1", 0)) ? notes.at(DeskNote("1", 0)) : "", c.keptNote);
    }
}

} // namespace
