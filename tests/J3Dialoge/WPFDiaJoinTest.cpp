#include "PatientDialogFixture.h"

#include "J3Dialoge/WPFDiaJoin.h"
#include "msgbox/Boxes.h"
#include "support/DialogDriver.h"
#include "vkwpfcpp/VKButtonClass.h"

#include <string>
#include <vector>

namespace {

using Keys = std::vector<CString>;
using Texts = std::vector<std::string>;

// A merge dialog over given keys; it notes the keys it is asked to merge
// or to show.
class CJoinDialog : public CWPFDiaJoin {
public:
    explicit CJoinDialog(Keys keys)
        : CWPFDiaJoin("test/WPFDiaJoinTestDialog", "j3wpfcs", nullptr, ""), m_keys(std::move(keys))
    {
        m_bNoPlacement = true;
    }
    void DoFillListe() override
    {
        m_Liste.AddCheckBoxColumn("", 0, "");
        m_Liste.AddTextBlockColumn("Nummer", 0, 0, "");
        for (const CString& key : m_keys)
            m_Matrix.DoAdd({"0", key});
    }
    bool DoJoin(const Keys& keys) override
    {
        m_joined.push_back(keys);
        return m_bJoinSucceeds;
    }
    void DoZoom(const Keys& keys) override { m_zoomed.push_back(keys); }

    Keys m_keys;
    bool m_bJoinSucceeds = true;
    std::vector<Keys> m_joined;
    std::vector<Keys> m_zoomed;
};

// Ticks the rows as a user does: a click on the row's check box, which
// fills the narrow first column.
void Tick(j3test::DialogDriver& driver, const std::vector<int>& rows)
{
    for (int row : rows)
        driver.ClickRow("VKLISTE", row);
}

const std::string kAsk = "J3|Soll die Zusammenführung nun gestartet werden?";

using WPFDiaJoinTest = PatientDialogFixture;

TEST_F(WPFDiaJoinTest, ConfirmingMergesTheTickedKeysInRowOrder)
{
    const struct {
        std::vector<int> ticked;
        int answer;
        bool progressAvailable;
        bool joinSucceeds;
        int code;
        std::vector<Keys> joined;
        Texts boxes;
    } cases[] = {
        {{3, 1}, BOX_YES, true, true, 1, {{"K1", "K3"}},
         {kAsk, "open", "at 1/5", "text K1", "at 3/5", "text K3", "J3|Zusammenführung erfolgreich durchgeführt.",
          "close"}},
        {{}, BOX_YES, true, true, 1, {}, {kAsk, "open", "close"}},
        {{0}, BOX_YES, true, false, 1, {{"K0"}}, {kAsk, "open", "at 0/5", "text K0", "close"}},
        {{2}, BOX_YES, false, true, 2, {}, {kAsk, "open", "J3|Die Fortschrittsanzeige konnte nicht geöffnet werden."}},
        // Declined: the dialog stays open until it is cancelled.
        {{2}, BOX_NO, true, true, 2, {}, {kAsk}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.boxes.back());
        m_boxes.ClearRecords();
        m_boxes.QueueAnswer(c.answer);
        m_boxes.SetProgressAvailable(c.progressAvailable);
        CJoinDialog dialog({"K0", "K1", "K2", "K3", "K4"});
        dialog.m_bJoinSucceeds = c.joinSucceeds;
        j3test::DialogDriver driver;
        Tick(driver, c.ticked);
        driver.ClickFrameButton(VKButtonOK);
        if (c.answer == BOX_NO)
            driver.PressEscape();
        EXPECT_EQ(driver.Run(dialog), c.code);
        EXPECT_EQ(dialog.m_joined, c.joined);
        EXPECT_EQ(Boxes(), c.boxes);
    }
}

TEST_F(WPFDiaJoinTest, ZoomShowsTheTickedKeysLowerCased)
{
    const std::pair<std::vector<int>, std::vector<Keys>> cases[] = {{{2, 0}, {{"abc", "\xE4" "de"}}}, {{}, {}}};
    for (const auto& [ticked, zoomed] : cases) {
        m_boxes.ClearRecords();
        CJoinDialog dialog({"AbC", "xY", "\xC4" "DE"});
        j3test::DialogDriver driver;
        Tick(driver, ticked);
        driver.ClickFrameButton(VKButtonZoom).PressEscape();
        EXPECT_EQ(driver.Run(dialog), 2);
        EXPECT_EQ(dialog.m_zoomed, zoomed);
        EXPECT_EQ(Boxes(), zoomed.empty() ? Texts{"J3|Nichts ausgewählt!"} : Texts{});
    }
}

TEST_F(WPFDiaJoinTest, EmptyListGivesItsNoticeAndEndsWithTwo)
{
    CJoinDialog dialog({});
    j3test::DialogDriver driver;
    EXPECT_EQ(driver.Run(dialog), 2);
    EXPECT_FALSE(driver.ScriptRan());
    EXPECT_EQ(Boxes(), Texts{"J3|Keine passenden Einträge gefunden!"});
}

} // namespace
