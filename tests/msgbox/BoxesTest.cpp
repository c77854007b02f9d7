#include "msgbox/BoxAnswerer.h"
#include "msgbox/Boxes.h"
#include "msgbox/ProgressBox.h"
#include "support/GuiApplication.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using BoxCall = int (*)(const CBoxText&, const CBoxText&, QWidget*);

// The boxes are widgets; a person acts on the next modal window once it is
// shown: the box under test runs its own event loop, so the action is queued
// before the box is called.
class BoxesTest : public testing::Test {
protected:
    void SetUp() override { j3test::GuiApplication::Instance(); }

    static void ActOnNextModal(std::function<void(QWidget*)> act, int attemptsLeft = 300)
    {
        QTimer::singleShot(10, [act = std::move(act), attemptsLeft]() mutable {
            if (QWidget* modal = QApplication::activeModalWidget())
                act(modal);
            else if (attemptsLeft == 0)
                ADD_FAILURE() << "no modal window appeared";
            else
                ActOnNextModal(std::move(act), attemptsLeft - 1);
        });
    }

    // Presses Return or Escape, or clicks the button of that text.
    static void Press(QWidget* window, const std::string& what)
    {
        if (what == "Return" || what == "Escape")
            return QTest::keyClick(window, what == "Return" ? Qt::Key_Return : Qt::Key_Escape);
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->text() == QString::fromStdString(what))
                return button->click();
        ADD_FAILURE() << "no button \"" << what << "\"";
        window->close();  // so that the box under test returns
    }
};

TEST_F(BoxesTest, EveryKindIsRecordedWithCaptionAndTextAsShown)
{
    const struct { BoxCall call; EBoxKind kind; } kinds[] = {
        {&HaltE, EBoxKind::Error}, {&HaltI, EBoxKind::Notice}, {&Halt, EBoxKind::Plain},
        {&VKHaltE, EBoxKind::VKError}, {&SollIch, EBoxKind::Question},
    };
    const struct { CBoxText caption; CBoxText text; std::string expectedCaption; std::string expectedText; } texts[] = {
        {CString("Ung\xFCltiges Verzeichnis"), "Gr\xF6\xDF" "e \x80 5", "Ungültiges Verzeichnis", "Größe € 5"},
        {6, 7057, "J3", "Die Fortschrittsanzeige konnte nicht geöffnet werden."},
        {6, 4711, "J3", "(Text Nr. 4711)"},
    };
    for (const auto& kind : kinds) {
        for (const auto& text : texts) {
            SCOPED_TRACE(std::string(BoxKindName(kind.kind)) + ", " + text.expectedText);
            CBoxAnswerer answerer;
            const int answer = kind.call(text.caption, text.text, nullptr);
            ASSERT_EQ(answerer.Records().size(), 1u);
            const SBoxRecord& record = answerer.Records().front();
            EXPECT_EQ(record.kind, kind.kind);
            EXPECT_EQ(record.caption, text.expectedCaption);
            EXPECT_EQ(record.text, text.expectedText);
            EXPECT_EQ(record.answer, answer);
            EXPECT_EQ(answer, kind.kind == EBoxKind::Question ? BOX_NO : BOX_OK);
        }
    }
}

TEST_F(BoxesTest, QuestionsTakeQueuedAnswersInOrderThenTheDefaultFromTheNewestAnswerer)
{
    auto outer = std::make_unique<CBoxAnswerer>();
    for (const int answer : {BOX_YES, BOX_NO, BOX_YES})
        outer->QueueAnswer(answer);
    {
        CBoxAnswerer inner;
        EXPECT_EQ(CBoxAnswerer::Installed(), &inner);
        EXPECT_EQ(SollIch("Frage", "innen", nullptr), BOX_NO);
    }
    EXPECT_EQ(CBoxAnswerer::Installed(), outer.get());
    EXPECT_EQ(SollIch("Frage", "eins", nullptr), BOX_YES);
    // Notices in between take nothing from the queue.
    EXPECT_EQ(HaltI("Hinweis", "dazwischen", nullptr), BOX_OK);
    EXPECT_EQ(SollIch("Frage", "zwei", nullptr), BOX_NO);
    EXPECT_EQ(SollIch("Frage", "drei", nullptr), BOX_YES);
    EXPECT_EQ(SollIch("Frage", "vier", nullptr), BOX_NO);
    outer->SetDefaultAnswer(BOX_YES);
    EXPECT_EQ(SollIch("Frage", "f\xFCnf", nullptr), BOX_YES);
    EXPECT_EQ(outer->Records().size(), 6u);
    EXPECT_EQ(outer->RecordsOf(EBoxKind::Question).back().text, "fünf");

    // Answerers ending out of order leave no dangling one.
    auto second = std::make_unique<CBoxAnswerer>();
    auto third = std::make_unique<CBoxAnswerer>();
    second.reset();
    EXPECT_EQ(CBoxAnswerer::Installed(), third.get());
    third.reset();
    EXPECT_EQ(CBoxAnswerer::Installed(), outer.get());
    outer.reset();
    EXPECT_EQ(CBoxAnswerer::Installed(), nullptr);
}

// A person answers the real boxes: the buttons carry German texts and the
// answer codes follow the button pressed.
TEST_F(BoxesTest, PersonAnswersRealBoxes)
{
    const struct { BoxCall call; const char* button; int expected; } cases[] = {
        {&SollIch, "Ja", BOX_YES}, {&SollIch, "Nein", BOX_NO}, {&SollIch, "Escape", BOX_NO},
        {&SollIch, "Return", BOX_YES}, {&HaltE, "OK", BOX_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QString seenTitle;
        QString seenText;
        ActOnNextModal([&](QWidget* window) {
            seenTitle = window->windowTitle();
            seenText = qobject_cast<QMessageBox*>(window)->text();
            Press(window, c.button);
        });
        EXPECT_EQ(c.call(6, CString("Soll die Zusammenf\xFChrung nun gestartet werden?"), nullptr), c.expected);
        EXPECT_EQ(seenTitle, QString("J3"));
        EXPECT_EQ(seenText, QString("Soll die Zusammenführung nun gestartet werden?"));
    }
}

TEST_F(BoxesTest, ParamBoxWritesTheAnsweredFieldsBackOrLeavesTheDescription)
{
    const char* const dir = "Verzeichnisname: [text,]";
    const char* const patient = "\r\nName: [text,Meier]\n\nAlter: [zahl,40] Jahre";
    // Without input the code is queued, unless it is -1.
    const struct {
        const char* description;
        std::vector<std::string> input;
        int code;
        bool confirmed;
        const char* expected;
    } cases[] = {
        // Written back in the ANSI code page.
        {dir, {"Bücher 2024"}, 0, true, "Verzeichnisname: B\xFC" "cher 2024"},
        {dir, {}, 0, false, dir},
        {dir, {}, -1, false, dir},
        // Fields left out keep their initial texts.
        {patient, {"Müller"}, 0, true, "\r\nName: M\xFCller\n\nAlter: 40 Jahre"},
        {"Name: [text,Meier]\nAlter: [zahl,-7]", {}, BOX_OK, true, "Name: Meier\nAlter: -7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.description) + " " + std::to_string(c.code));
        CBoxAnswerer answerer;
        if (!c.input.empty())
            answerer.QueueInput(c.input);
        else if (c.code >= 0)
            answerer.QueueAnswer(c.code);
        CString description = c.description;
        EXPECT_EQ(VKParamBox(description, nullptr, "Ordnernamen eingeben") != 0, c.confirmed);
        EXPECT_EQ(description, c.expected);
        if (c.confirmed) {
            EXPECT_EQ(answerer.Records().at(0).caption, "Ordnernamen eingeben");
        }
    }
}

TEST_F(BoxesTest, MalformedParamBoxDescriptionIsReportedAndLeftAlone)
{
    // The fault is part of the error text.
    const struct { const char* description; const char* fault; } cases[] = {
        {"Verzeichnisname: ", "kein Eingabefeld"},
        {"Name: [text,[text,]", "Feld 1: \"[\" ohne \"]\""},
        {"Name: [text,]\nOrt: [text]", "Feld 2: Komma"},
        {"Datum: [datum,]", "unbekannte Art \"datum\""},
        {"Alter: [zahl,vierzig]", "\"vierzig\" ist keine Zahl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        CBoxAnswerer answerer;
        answerer.QueueInput({"x", "y"});
        CString description = c.description;
        EXPECT_EQ(VKParamBox(description, nullptr, "Ordnernamen eingeben"), 0);
        EXPECT_EQ(description, c.description);
        EXPECT_EQ(answerer.PendingAnswers(), 1u) << "a refused description must not take an answer";
        ASSERT_EQ(answerer.Records().size(), 1u);
        EXPECT_EQ(answerer.Records()[0].kind, EBoxKind::VKError);
        EXPECT_NE(answerer.Records()[0].text.find(c.fault), std::string::npos) << answerer.Records()[0].text;
    }
}

// A person types into the real box and confirms or cancels it.
TEST_F(BoxesTest, PersonTypesIntoTheRealParamBox)
{
    const struct { const char *description, *typed, *button; bool confirmed; const char* expected; } cases[] = {
        {"Verzeichnisname: [text,]", "Rechnungen", "OK", true, "Verzeichnisname: Rechnungen"},
        {"Alter: [zahl,]", "4a2", "OK", true, "Alter: 42"},  // the number field refuses letters
        {"Verzeichnisname: [text,]", "Rechnungen", "Abbrechen", false, "Verzeichnisname: [text,]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QString title;
        ActOnNextModal([&](QWidget* window) {
            title = window->windowTitle();
            QWidget* field = window->focusWidget();
            ASSERT_NE(field, nullptr) << "the first field has the focus";
            QTest::keyClicks(field, QString::fromUtf8(c.typed));
            Press(window, c.button);
        });
        CString description = c.description;
        EXPECT_EQ(VKParamBox(description, nullptr, "Ordnernamen eingeben") != 0, c.confirmed);
        EXPECT_EQ(description, c.expected);
        EXPECT_EQ(title, QString("Ordnernamen eingeben"));
    }
}

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
