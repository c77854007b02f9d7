#include "PraxisFixture.h"

#include "j3praxis/J3PraxisDesk.h"
#include "support/DialogDriver.h"
#include "vkwpfcpp/VKButtonClass.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>

namespace {

using ProgrammeTest = PraxisFixture;

// Terminbuch (id 103) has the program index 2, "Röntgen <Bilder> & Befunde"
// (501) 29 and Factoring (307, no licence) 21.
TEST_F(ProgrammeTest, DeskStartsProgramsAndKeepsTheUsersFavouritesInTheirOrder)
{
    StorePatient(1, "Albers", Flags({}));
    SetParameter("  1", "favoriten12", "103|501|");
    RunProgram(Workstation1, [] {
        CJ3PraxisDesk desk("");
        desk.OpenOnProgramme();
        j3test::DialogDriver driver;
        const auto shown = [&](const char* name) {
            return desk.GetWindow()->findChild<QAbstractButton*>(QString::fromLatin1(name));
        };
        driver
            .Do([&] {
                ASSERT_TRUE(shown("BU2") && shown("BU29") && shown("B221"));
                EXPECT_TRUE(shown("BU2")->isVisible());
                EXPECT_FALSE(shown("B221")->isEnabled());
            })
            .Click("BU29")
            .Do([&] {
                EXPECT_EQ(desk.GetWindow()->findChild<QLabel*>("ProgrammStatus")->text(),
                          QString::fromUtf8("Gestartet: Röntgen <Bilder> & Befunde"));
            })
            .Drag("BU29", "BU2")
            .ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(desk), 1);
    });
    EXPECT_EQ(Parameters("  1", "favoriten"), (std::map<std::string, std::string>{{"favoriten12", "501|103|"}}));
}

} // namespace
