#include "msgbox/BoxAnswerer.h"
#include "msgbox/Boxes.h"
#include "msgbox/ProgressBox.h"
#include "support/GuiApplication.h"

#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QPushButton>

#include <string>
#include <vector>

namespace {

constexpr unsigned int s_callerStyle = 1515209224;

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

    ASSERT_EQ(answerer.Records().size(), 9u);
    const auto texts = answerer.RecordsOf(EBoxKind::ProgressText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Müller");
    EXPECT_EQ(texts[1].text, "Die Fortschrittsanzeige konnte nicht geöffnet werden.");

    answerer.SetProgressAvailable(false);
    EXPECT_EQ(J3OpenProgressBox(nullptr, "", 0, s_callerStyle, 0, 0), 0);
    EXPECT_FALSE(CProgressBox::Instance().IsOpen());
    EXPECT_EQ(J3UpdateProgressBox2(0, 3), 0);
}

TEST(ProgressBoxTest, RealWindowShowsTextAndPositionAndThePersonCancels)
{
    j3test::GuiApplication::Instance();
    ASSERT_NE(J3OpenProgressBox(nullptr, "Start", 0, s_callerStyle, 0, 0), 0);
    QProgressDialog* window = CProgressBox::Instance().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->findChild<QPushButton*>(), nullptr) << "opened without cancel";
    J3SetProgressBoxText(CString("Zusammenf\xFChrung 4711"), 0, 0);
    EXPECT_EQ(window->labelText(), QString("Zusammenführung 4711"));
    const struct { int position; int total; int expectedValue; int expectedMaximum; } cases[] = {
        {1, 5, 1, 5}, {7, 5, 5, 5}, {-2, 5, 0, 5}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.position) + " of " + std::to_string(c.total));
        EXPECT_NE(J3UpdateProgressBox2(c.position, c.total), 0);
        EXPECT_EQ(window->value(), c.expectedValue);
        EXPECT_EQ(window->maximum(), c.expectedMaximum);
    }
    J3CloseProgressBox();

    ASSERT_NE(J3OpenProgressBox(nullptr, "Suche", 1, s_callerStyle, 0, 10), 0);
    auto* cancel = CProgressBox::Instance().Window()->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_NE(J3UpdateProgressBox2(1, 10), 0);
    cancel->click();
    EXPECT_EQ(J3UpdateProgressBox2(2, 10), 0);
    J3CloseProgressBox();
}

} // namespace
