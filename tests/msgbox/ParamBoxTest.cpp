#include "ModalDriver.h"
#include "msgbox/BoxAnswerer.h"
#include "msgbox/Boxes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <string>

namespace {

const char* const s_dirDescription = "Verzeichnisname: [text,]";

TEST(ParamBoxTest, ConfirmedInputReplacesTheFieldAfterItsLabel)
{
    CBoxAnswerer answerer;
    answerer.QueueInput({"Bücher 2024"});
    CString description = s_dirDescription;
    EXPECT_NE(VKParamBox(description, nullptr, "Ordnernamen eingeben"), 0);
    // Written back in the ANSI code page.
    EXPECT_EQ(description, "Verzeichnisname: B\xFC" "cher 2024");
    ASSERT_EQ(answerer.Records().size(), 1u);
    EXPECT_EQ(answerer.Records().front().caption, "Ordnernamen eingeben");
}

TEST(ParamBoxTest, CancelledOrUnansweredBoxLeavesTheDescription)
{
    struct SCase {
        const char* name;
        bool queueCancel;
    };
    for (const SCase test : {SCase{"cancelled", true}, SCase{"nothing queued", false}}) {
        SCOPED_TRACE(test.name);
        CBoxAnswerer answerer;
        if (test.queueCancel)
            answerer.QueueAnswer(0);
        CString description = s_dirDescription;
        EXPECT_EQ(VKParamBox(description, nullptr, "Ordnernamen eingeben"), 0);
        EXPECT_EQ(description, s_dirDescription);
    }
}

TEST(ParamBoxTest, FieldsLeftOutKeepTheirInitialTexts)
{
    CBoxAnswerer answerer;
    answerer.QueueInput({"Müller"});
    answerer.QueueAnswer(BOX_OK);
    CString description = "\r\nName: [text,Meier]\n\nAlter: [zahl,40] Jahre";
    ASSERT_NE(VKParamBox(description, nullptr, "Patient"), 0);
    EXPECT_EQ(description, "\r\nName: M\xFCller\n\nAlter: 40 Jahre");
    CString unchanged = "Name: [text,Meier]\nAlter: [zahl,-7]";
    ASSERT_NE(VKParamBox(unchanged, nullptr, "Patient"), 0);
    EXPECT_EQ(unchanged, "Name: Meier\nAlter: -7");
}

TEST(ParamBoxTest, MalformedDescriptionIsReportedAndLeftAlone)
{
    struct SCase {
        const char* description;
        const char* fault;  // part of the error text
    };
    const SCase cases[] = {
        {"Verzeichnisname: ", "kein Eingabefeld"},
        {"Name: [text,[text,]", "Feld 1: \"[\" ohne \"]\""},
        {"Name: text,]", "Feld 1: \"]\" ohne \"[\""},
        {"Name: [text,]\nOrt: [text]", "Feld 2: Komma"},
        {"Datum: [datum,]", "unbekannte Art \"datum\""},
        {"Alter: [zahl,vierzig]", "\"vierzig\" ist keine Zahl"},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.description);
        CBoxAnswerer answerer;
        answerer.QueueInput({"x", "y"});
        CString description = test.description;
        EXPECT_EQ(VKParamBox(description, nullptr, "Ordnernamen eingeben"), 0);
        EXPECT_EQ(description, test.description);
        EXPECT_EQ(answerer.PendingAnswers(), 1u) << "a refused description must not take an answer";
        ASSERT_EQ(answerer.Records().size(), 1u);
        const SBoxRecord& record = answerer.Records().front();
        EXPECT_EQ(record.kind, EBoxKind::VKError);
        EXPECT_NE(record.text.find(test.fault), std::string::npos) << record.text;
    }
}

// A person types into the real box and confirms or cancels it.
TEST(ParamBoxTest, PersonTypesIntoTheRealBox)
{
    struct SCase {
        const char* name;
        const char* description;
        const char* typed;
        const char* button;
        bool confirmed;
        const char* expected;
    };
    const SCase cases[] = {
        {"confirmed", s_dirDescription, "Rechnungen", "OK", true, "Verzeichnisname: Rechnungen"},
        {"number field refuses letters", "Alter: [zahl,]", "4a2", "OK", true, "Alter: 42"},
        {"cancelled", s_dirDescription, "Rechnungen", "Abbrechen", false, s_dirDescription},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.name);
        QString title;
        msgboxtest::ActOnNextModal([&](QWidget* window) {
            title = window->windowTitle();
            QWidget* field = window->focusWidget();
            ASSERT_NE(field, nullptr) << "the first field has the focus";
            QTest::keyClicks(field, QString::fromUtf8(test.typed));
            msgboxtest::ClickButton(window, test.button);
        });
        CString description = test.description;
        EXPECT_EQ(VKParamBox(description, nullptr, "Ordnernamen eingeben") != 0, test.confirmed);
        EXPECT_EQ(description, test.expected);
        EXPECT_EQ(title, QString("Ordnernamen eingeben"));
    }
}

} // namespace
