#include "JoinTestDialog.h"
#include "PatientDialogFixture.h"

#include "msgbox/Boxes.h"
#include "support/DialogDriver.h"
#include "vkwpfcpp/VKButtonClass.h"

#include <string>
#include <vector>

namespace {

constexpr const char* kList = "VKLISTE";
using Keys = std::vector<CString>;
using Texts = std::vector<std::string>;

// The boxes and progress calls in order, in short.
Texts Trace(const CBoxAnswerer& boxes)
{
    Texts trace;
    for (const SBoxRecord& box : boxes.Records()) {
        switch (box.kind) {
        case EBoxKind::ProgressOpen: trace.push_back("open"); break;
        case EBoxKind::ProgressUpdate:
            trace.push_back("at " + std::to_string(box.position) + "/" + std::to_string(box.total));
            break;
        case EBoxKind::ProgressText: trace.push_back("text " + box.text); break;
        case EBoxKind::ProgressClose: trace.push_back("close"); break;
        default: trace.push_back(box.caption + "|" + box.text);
        }
    }
    return trace;
}

// Ticks the rows as a user does: a click on the row's check box, which
// fills the narrow first column.
void Tick(j3test::DialogDriver& driver, const std::vector<int>& rows)
{
    for (int row : rows)
        driver.ClickRow(kList, row);
}

const std::string kAsk = "J3|Soll die Zusammenführung nun gestartet werden?";

struct SMergeCase {
    const char* what;
    std::vector<int> ticked;
    int answer;
    bool progressAvailable;
    bool joinSucceeds;
    int code;
    std::vector<Keys> joined;
    Texts trace;
};

using WPFDiaJoinTest = PatientDialogFixture;

TEST_F(WPFDiaJoinTest, ConfirmingMergesTheTickedKeysInRowOrder)
{
    const SMergeCase cases[] = {
        {"rows 1 and 3 of 5", {3, 1}, BOX_YES, true, true, 1, {{"K1", "K3"}},
         {kAsk, "open", "at 1/5", "text K1", "at 3/5", "text K3",
          "J3|Zusammenführung erfolgreich durchgeführt.", "close"}},
        {"nothing ticked", {}, BOX_YES, true, true, 1, {}, {kAsk, "open", "close"}},
        {"failed merge", {0}, BOX_YES, true, false, 1, {{"K0"}}, {kAsk, "open", "at 0/5", "text K0", "close"}},
        {"no progress box", {2}, BOX_YES, false, true, 2, {},
         {kAsk, "open", "J3|Die Fortschrittsanzeige konnte nicht geöffnet werden."}},
    };
    for (const SMergeCase& c : cases) {
        SCOPED_TRACE(c.what);
        m_boxes.ClearRecords();
        m_boxes.QueueAnswer(c.answer);
        m_boxes.SetProgressAvailable(c.progressAvailable);
        CJoinTestDialog dialog({"K0", "K1", "K2", "K3", "K4"});
        dialog.m_bJoinSucceeds = c.joinSucceeds;
        j3test::DialogDriver driver;
        Tick(driver, c.ticked);
        driver.ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(dialog), c.code);
        EXPECT_EQ(dialog.m_joined, c.joined);
        EXPECT_EQ(Trace(m_boxes), c.trace);
    }
}

TEST_F(WPFDiaJoinTest, DecliningTheQuestionKeepsTheDialogOpen)
{
    m_boxes.QueueAnswer(BOX_NO);
    CJoinTestDialog dialog({"K0", "K1"});
    j3test::DialogDriver driver;
    Tick(driver, {0});
    driver.ClickFrameButton(VKButtonOK).PressEscape();
    EXPECT_EQ(driver.Run(dialog), 2);
    EXPECT_TRUE(dialog.m_joined.empty());
    EXPECT_EQ(Trace(m_boxes), Texts{kAsk});
}

TEST_F(WPFDiaJoinTest, ZoomShowsTheTickedKeysLowerCased)
{
    const struct {
        std::vector<int> ticked;
        std::vector<Keys> zoomed;
        Texts trace;
    } cases[] = {
        {{2, 0}, {{"abc", "\xE4" "de"}}, {}},
        {{}, {}, {"J3|Nichts ausgewählt!"}},
    };
    for (const auto& c : cases) {
        m_boxes.ClearRecords();
        CJoinTestDialog dialog({"AbC", "xY", "\xC4" "DE"});
        j3test::DialogDriver driver;
        Tick(driver, c.ticked);
        driver.ClickFrameButton(VKButtonZoom).PressEscape();
        EXPECT_EQ(driver.Run(dialog), 2);
        EXPECT_EQ(dialog.m_zoomed, c.zoomed);
        EXPECT_EQ(Trace(m_boxes), c.trace);
    }
}

TEST_F(WPFDiaJoinTest, EmptyListGivesItsNoticeAndEndsWithTwo)
{
    CJoinTestDialog dialog({});
    j3test::DialogDriver driver;
    EXPECT_EQ(driver.Run(dialog), 2);
    EXPECT_FALSE(driver.ScriptRan());
    EXPECT_EQ(Trace(m_boxes), Texts{"J3|Keine passenden Einträge gefunden!"});
}

} // namespace
