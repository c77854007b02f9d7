#include "msgbox/BoxAnswerer.h"
#include "msgbox/Boxes.h"
#include "msgbox/ProgressBox.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include <string>
#include <vector>

namespace {

constexpr unsigned int s_callerStyle = 1515209224;

struct SExpected {
    EBoxKind kind;
    std::string text;
    int answer;
    int position;
    int total;
};

void ExpectRecords(const CBoxAnswerer& answerer, const std::vector<SExpected>& expected)
{
    ASSERT_EQ(answerer.Records().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        const SBoxRecord& record = answerer.Records()[i];
        EXPECT_EQ(record.kind, expected[i].kind);
        EXPECT_EQ(record.text, expected[i].text);
        EXPECT_EQ(record.answer, expected[i].answer);
        EXPECT_EQ(record.position, expected[i].position);
        EXPECT_EQ(record.total, expected[i].total);
    }
}

TEST(ProgressBoxTest, CallsOfARunAreRecordedInOrder)
{
    CBoxAnswerer answerer;
    // Calls before the box opens are harmless; opening again restarts the box.
    EXPECT_EQ(J3UpdateProgressBox2(2, 4), 0);
    ASSERT_NE(J3OpenProgressBox(nullptr, "erste", 0, s_callerStyle, 0, 0), 0);
    ASSERT_NE(J3OpenProgressBox(nullptr, "", 0, s_callerStyle, 0, 0), 0);
    EXPECT_TRUE(CProgressBox::Instance().IsOpen());
    EXPECT_EQ(CProgressBox::Instance().Window(), nullptr) << "an answerer shows no window";
    EXPECT_NE(J3UpdateProgressBox2(1, 5), 0);
    J3SetProgressBoxText(CString("M\xFCller"), 0, 0);
    EXPECT_NE(J3UpdateProgressBox2(3, 5), 0);
    J3SetProgressBoxText(7057, 0, 0);
    J3CloseProgressBox();
    EXPECT_FALSE(CProgressBox::Instance().IsOpen());
    EXPECT_EQ(J3UpdateProgressBox2(3, 4), 0) << "the box is closed";
    ExpectRecords(answerer, {
                                {EBoxKind::ProgressUpdate, "", 0, 2, 4},
                                {EBoxKind::ProgressOpen, "erste", 1, 0, 0},
                                {EBoxKind::ProgressOpen, "", 1, 0, 0},
                                {EBoxKind::ProgressUpdate, "", 1, 1, 5},
                                {EBoxKind::ProgressText, "Müller", 0, 0, 0},
                                {EBoxKind::ProgressUpdate, "", 1, 3, 5},
                                {EBoxKind::ProgressText, "Die Fortschrittsanzeige konnte nicht geöffnet werden.", 0,
                                 0, 0},
                                {EBoxKind::ProgressClose, "", 0, 0, 0},
                                {EBoxKind::ProgressUpdate, "", 0, 3, 4},
                            });
}

TEST(ProgressBoxTest, UnavailableBoxFailsToOpen)
{
    CBoxAnswerer answerer;
    answerer.SetProgressAvailable(false);
    EXPECT_EQ(J3OpenProgressBox(nullptr, "", 0, s_callerStyle, 0, 0), 0);
    EXPECT_FALSE(CProgressBox::Instance().IsOpen());
    EXPECT_EQ(J3UpdateProgressBox2(0, 3), 0);
}

TEST(ProgressBoxTest, RealWindowShowsTextAndPosition)
{
    struct SCase {
        int position;
        int total;
        int expectedValue;
        int expectedMaximum;
    };
    ASSERT_NE(J3OpenProgressBox(nullptr, "Start", 0, s_callerStyle, 0, 0), 0);
    QProgressDialog* window = CProgressBox::Instance().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->findChild<QPushButton*>(), nullptr) << "opened without cancel";
    J3SetProgressBoxText(CString("Zusammenf\xFChrung 4711"), 0, 0);
    EXPECT_EQ(window->labelText(), QString("Zusammenführung 4711"));
    const SCase cases[] = {
        {1, 5, 1, 5}, {7, 5, 5, 5}, {-2, 5, 0, 5}, {0, 0, 0, 0},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(std::to_string(test.position) + " of " + std::to_string(test.total));
        EXPECT_NE(J3UpdateProgressBox2(test.position, test.total), 0);
        EXPECT_EQ(window->value(), test.expectedValue);
        EXPECT_EQ(window->maximum(), test.expectedMaximum);
    }
    J3CloseProgressBox();
}

TEST(ProgressBoxTest, PersonCancelsTheRealWindow)
{
    ASSERT_NE(J3OpenProgressBox(nullptr, "Suche", 1, s_callerStyle, 0, 10), 0);
    QProgressDialog* window = CProgressBox::Instance().Window();
    ASSERT_NE(window, nullptr);
    auto* cancel = window->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_NE(J3UpdateProgressBox2(1, 10), 0);
    cancel->click();
    EXPECT_EQ(J3UpdateProgressBox2(2, 10), 0);
    J3CloseProgressBox();
}

} // namespace
