#include "PraxisFixture.h"

#include "dbdll/JPatMerge.h"
#include "j3params/J3Params.h"
#include "j3praxis/J3PraxisDesk.h"
#include "msgbox/BoxAnswerer.h"
#include "support/DialogDriver.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/VKButtonClass.h"

#include <QDialog>
#include <QTest>

namespace {

using PraxisMergeTest = PraxisFixture;

// Workstation 1 shows patient 2 with an unsaved note and marker while a
// second workstation merges patient 2 into patient 1: what the desk shows
// is stored on patient 1, the desk says so once and shows patient 1.
TEST_F(PraxisMergeTest, ADeskWhosePatientIsMergedElsewhereStoresIntoTheKeptOne)
{
    SetEInfoPermission(2);
    SetMarkerPermission(2);
    StorePatient(1, "Albers", Flags({0}));
    StorePatient(2, "ALBERS", Flags({3}));
    StoreFile(DeskNote("1", 0), "Recall");
    StoreFile(DeskNote("2", 0), "Allergie");
    RunProgram(Workstation1, [&] {
        CJ3PraxisDesk desk(PatNr(2));
        j3test::DialogDriver driver;
        driver.Type("VKPOSTIT_0", "Allergie: Penicillin")
            .PressKey("Marker5", Qt::Key_Space)
            .Do([&] {
                CVKDatabase secondWorkstation;
                ASSERT_TRUE(secondWorkstation.Open(File(), CVKDatabase::EOpenMode::ReadWrite));
                CString error;
                ASSERT_TRUE(CJPatMerge(secondWorkstation).Merge(PatNr(1), {PatNr(2)}, error)) << error.GetString();
                // The desk notices within its watch interval; a second look tells nothing more.
                QTest::qWait(5000);
                const std::vector<SBoxRecord> boxes = CBoxAnswerer::Installed()->Records();
                ASSERT_EQ(boxes.size(), 1u);
                EXPECT_EQ(boxes[0].text, "Patient 2 wurde an einem anderen Arbeitsplatz mit Patient 1 "
                                         "zusammengeführt. Ihre Änderungen sind dort gespeichert; er wird jetzt "
                                         "angezeigt.");
                EXPECT_EQ(desk.GetPatNr(), PatNr(1));
                EXPECT_EQ(ShownMarkers(*desk.GetWindow()), "0 3 5");
            })
            .ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(desk), 1);
    });
    EXPECT_EQ(StoredFlags(1), Flags({0, 3, 5}));
    EXPECT_EQ(StoredFiles(GetJ3DataPath(0).str() + "eInfo"),
              (std::map<std::string, std::string>{{DeskNote("1", 0), "Recall"},
                                                  {DeskNote("1", 1), "Allergie: Penicillin"}}));
}

} // namespace
