#include "PraxisFixture.h"

#include "J3Dialoge/DiaIndexMarkerConfig.h"
#include "msgbox/BoxAnswerer.h"
#include "support/DialogDriver.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "vkwpfcpp/WPFApplication.h"

#include <QDialog>
#include <QLineEdit>
#include <QToolButton>

namespace {

using IndexMarkerTest = PraxisFixture;

TEST_F(IndexMarkerTest, TheConfigurationIsSavedAndReadBackWithAndWithoutColour)
{
    SetParameter("269", "indexmrk02", "alt|alt|255");
    RunProgram(Workstation1, [] {
        CDiaIndexMarkerConfig config(nullptr);
        j3test::DialogDriver driver;
        driver.Type("Text0", "Recall")
            .Type("ToolTip0", "f\xC3\xA4llig")
            .TriggerMenuItem("ColorPicker0_Farbe4")
            .Type("Text2", "Kind")
            .TriggerMenuItem("ColorPicker2_KeineFarbe")
            .ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(config), 1);
    });
    const auto records = Parameters("269", "indexmrk");
    ASSERT_EQ(records.size(), 25u);
    EXPECT_EQ(records.at("indexmrk00"), "Recall|f\xE4llig|3244789");  // 0xF58231 as 0x00BBGGRR
    EXPECT_EQ(records.at("indexmrk02"), "Kind|alt");
    EXPECT_EQ(records.at("indexmrk24"), "|");

    // Value; text, tip and the picker's text as shown; the tip the toolkit registers; the value after OK.
    // A colour that is no decimal colour reference stands for the slot's own, in the dialog as on the strip.
    const char* const rows[][4] = {
        {"Recall|f\xE4llig|3244789", "Recall|f\xC3\xA4llig|#F58231", "Recall - f\xE4llig", "Recall|f\xE4llig|3244789"},
        {"Angst|", "Angst||Standard", "Angst", "Angst|"},
        {"Kind|Kinder|255", "Kind|Kinder|#FF0000", "Kind - Kinder", "Kind|Kinder|255"},
        {"nur Text", "nur Text||Standard", "nur Text", "nur Text|"}, {"A|B|4294967295", "A|B|Standard", "A - B", "A|B"},
        {"", "||Standard", "", "|"}, {"B|C| 255", "B|C|Standard", "B - C", "B|C"},
        {"D|E|abc", "D|E|Standard", "D - E", "D|E"},
    };
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i)
        SetParameter("269", "indexmrk0" + std::to_string(i), rows[i][0]);
    RunProgram(Workstation1, [&] {
        // What the toolkit registers: without a colour that is a number the toolkit's own stays.
        std::vector<SIndexMarkerText> texts;
        CWPFJ3Dialog::GetIndexMarkerTexte(texts, false);
        ASSERT_EQ(texts.size(), 25u);
        EXPECT_EQ(texts[5].text, CString("   "));
        CDiaIndexMarkerConfig config(nullptr);
        j3test::DialogDriver driver;
        driver
            .Do([&] {
                const QDialog& window = *config.GetWindow();
                for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
                    const QString n = QString::number(i);
                    EXPECT_EQ(window.findChild<QLineEdit*>("Text" + n)->text() + "|" +
                                  window.findChild<QLineEdit*>("ToolTip" + n)->text() + "|" +
                                  window.findChild<QToolButton*>("ColorPicker" + n)->text(),
                              QString::fromUtf8(rows[i][1]));
                    EXPECT_EQ(CWPFApplication::GetMarkerToolTip(i), CString(rows[i][2]));
                }
            })
            .ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(config), 1);
        const QColor colours[] = {QColor(0xF5, 0x82, 0x31), QColor(0x3C, 0xB4, 0x4B), QColor(255, 0, 0),
                                  QColor(0x43, 0x63, 0xD8)};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(CWPFApplication::GetVKColor(CWPFApplication::FirstMarkerSlot + i), colours[i]) << i;
    });
    const auto saved = Parameters("269", "indexmrk");
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i)
        EXPECT_EQ(saved.at("indexmrk0" + std::to_string(i)), rows[i][3]) << i;
}

// A "|" in a text or tool tip would shift the record's parts and is refused with a hint; a refusing
// database gives its reason. Either way nothing is stored and the dialog stays open.
TEST_F(IndexMarkerTest, AConfigurationThatCannotBeStoredAsTypedIsNotSavedAtAll)
{
    SetParameter("269", "indexmrk00", "alt|");
    const struct { const char* box; const char* typed; EBoxKind kind; const char* says; } cases[] = {
        {"Text3", "Kind|er", EBoxKind::Notice, "(Karteireiter 4)"},
        {"ToolTip24", "Implantat | Nachsorge", EBoxKind::Notice, "(Karteireiter 25)"},
        {"Text0", "neu", EBoxKind::Error, "Platte voll"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        RunProgram(Workstation1, [&] {
            if (c.kind == EBoxKind::Error)
                FailStatement("INSERT", "parpool", "CAST(NEW.kuerzel AS TEXT) = 'indexmrk05'", "Platte voll");
            CDiaIndexMarkerConfig config(nullptr);
            j3test::DialogDriver driver;
            driver.Type(c.box, c.typed).ClickFrameButton(VKButtonOK).ClickFrameButton(VKButtonCancel);
            EXPECT_EQ(driver.Run(config), 2);
            const auto records = CBoxAnswerer::Installed()->Records();
            ASSERT_EQ(records.size(), 1u);
            EXPECT_EQ(records[0].kind, c.kind);
            EXPECT_NE(records[0].text.find(c.says), std::string::npos) << records[0].text;
        });
        EXPECT_EQ(Parameters("269", "indexmrk"), (std::map<std::string, std::string>{{"indexmrk00", "alt|"}}));
    }
}

TEST_F(IndexMarkerTest, OneMarkerIsSetOnManyPatientsAtOnce)
{
    StorePatient(1, "Albers", Flags({0}));
    StorePatient(2, "Brandt", "1111111111");
    StorePatient(3, "Claus", Flags({24}));
    RunProgram(Workstation1, [&] {
        EXPECT_TRUE(CWPFJ3Dialog::SetIndexMarkerMulti({PatNr(1), PatNr(2), PatNr(99)}, 24, true));
        EXPECT_TRUE(CWPFJ3Dialog::SetIndexMarkerMulti({PatNr(1), PatNr(3)}, 0, false));
        EXPECT_TRUE(CWPFJ3Dialog::SetIndexMarkerMulti({PatNr(3)}, 24, true));
    });
    EXPECT_EQ(StoredFlags(1), std::string(22, ' ') + "0" + std::string(23, ' ') + "1");
    EXPECT_EQ(StoredFlags(2), "1111111111" + std::string(36, ' ') + "1");
    EXPECT_EQ(StoredFlags(3), std::string(22, ' ') + "0" + std::string(23, ' ') + "1");
    EXPECT_EQ(StoredFlags(99), "?");

    // A failure on the last patient leaves the others as they were.
    RunProgram(Workstation1, [] {
        FailStatement("UPDATE", "pat", "CAST(NEW.patnr AS TEXT) = '         3'", "Platte voll");
        EXPECT_FALSE(CWPFJ3Dialog::SetIndexMarkerMulti({PatNr(1), PatNr(2), PatNr(3)}, 5, true));
    });
    EXPECT_EQ(StoredFlags(1)[27], ' ');
    EXPECT_EQ(StoredFlags(2)[27], ' ');
}

} // namespace
