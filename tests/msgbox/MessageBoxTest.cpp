#include "ModalDriver.h"
#include "msgbox/BoxAnswerer.h"
#include "msgbox/Boxes.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QMessageBox>
#include <QWidget>

#include <string>

namespace {

using BoxCall = int (*)(const CBoxText&, const CBoxText&, QWidget*);

struct SKindCase {
    BoxCall call;
    EBoxKind kind;
};

const SKindCase s_kinds[] = {
    {&HaltE, EBoxKind::Error},  {&HaltI, EBoxKind::Notice},   {&Halt, EBoxKind::Plain},
    {&VKHaltE, EBoxKind::VKError}, {&SollIch, EBoxKind::Question},
};

struct STextCase {
    const char* name;
    CBoxText caption;
    CBoxText text;
    std::string expectedCaption;
    std::string expectedText;
};

TEST(MessageBoxTest, EveryKindIsRecordedWithCaptionAndTextAsShown)
{
    const STextCase texts[] = {
        {"Windows-1252 umlauts", CString("Ung\xFCltiges Verzeichnis"), "Gr\xF6\xDF" "e \x80 5",
         "Ungültiges Verzeichnis", "Größe € 5"},
        {"numbered caption and text", 6, 7057, "J3", "Die Fortschrittsanzeige konnte nicht geöffnet werden."},
        {"number without a text", 6, 4711, "J3", "(Text Nr. 4711)"},
    };
    for (const SKindCase& kind : s_kinds) {
        for (const STextCase& text : texts) {
            SCOPED_TRACE(std::string(BoxKindName(kind.kind)) + ", " + text.name);
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

// A person answers the real boxes: the buttons carry German texts and the
// answer codes follow the button pressed.
TEST(MessageBoxTest, PersonAnswersRealBoxes)
{
    struct SCase {
        const char* name;
        BoxCall call;
        const char* button;  // null: the person presses Escape
        int expected;
    };
    const SCase cases[] = {
        {"question, Ja", &SollIch, "Ja", BOX_YES},
        {"question, Nein", &SollIch, "Nein", BOX_NO},
        {"question, Escape", &SollIch, nullptr, BOX_NO},
        {"error, OK", &HaltE, "OK", BOX_OK},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.name);
        QString seenTitle;
        QString seenText;
        msgboxtest::ActOnNextModal([&](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window);
            seenTitle = window->windowTitle();
            seenText = box != nullptr ? box->text() : QString();
            if (test.button != nullptr)
                msgboxtest::ClickButton(window, test.button);
            else
                QTest::keyClick(window, Qt::Key_Escape);
        });
        EXPECT_EQ(test.call(6, CString("Soll die Zusammenf\xFChrung nun gestartet werden?"), nullptr), test.expected);
        EXPECT_EQ(seenTitle, QString("J3"));
        EXPECT_EQ(seenText, QString("Soll die Zusammenführung nun gestartet werden?"));
    }
}

TEST(MessageBoxTest, QuestionDefaultsToYesForReturn)
{
    msgboxtest::ActOnNextModal([](QWidget* window) { QTest::keyClick(window, Qt::Key_Return); });
    EXPECT_EQ(SollIch("Frage", "Weiter?", nullptr), BOX_YES);
}

} // namespace
