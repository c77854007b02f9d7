#include "TestDialog.h"
#include "support/TempDir.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "vkwpfcpp/WPFApplication.h"

#include <QDialog>
#include <QPushButton>
#include <gtest/gtest.h>
#include <stdexcept>

using j3test::DialogDriver;
using Log = std::vector<std::string>;

namespace {

// The dialog's overridable calls in the log, without its events.
Log Overridables(const Log& log)
{
    return EntriesStartingWith(log, {"On", "After"});
}

using WPFDialogTest = TestDialogFixture;

TEST_F(WPFDialogTest, EveryWayOfEndingCallsTheOverridablesInOrder)
{
    const struct { const char* name; std::function<void(DialogDriver&)> end; int code; Log ending; } cases[] = {
        {"OK", [](DialogDriver& d) { d.ClickFrameButton(VKButtonOK); }, 1, {"OnSaveAndExit", "OnClosing"}},
        {"Abbrechen", [](DialogDriver& d) { d.ClickFrameButton(VKButtonCancel); }, 2, {"OnExit", "OnClosing"}},
        {"Escape", [](DialogDriver& d) { d.PressEscape(); }, 2, {"OnExit", "OnClosing"}},
        {"close button", [](DialogDriver& d) { d.CloseWindow(); }, 2, {"OnExit", "OnClosing"}},
        {"Return in a box without handler", [](DialogDriver& d) { d.PressReturn("VKLTEXTBOX_FILTER"); }, 1,
         {"OnSaveAndExit", "OnClosing"}},
        // Closing is refused once, and the dialog stays usable.
        {"refused", [](DialogDriver& d) { d.ClickFrameButton(VKButtonCancel).ClickFrameButton(VKButtonOK); }, 1,
         {"OnExit", "OnClosing", "OnSaveAndExit", "OnClosing"}},
    };
    for (const auto& c : cases) {
        CTestDialog dialog;
        dialog.m_nRefuseClosing = c.name == std::string("refused") ? 1 : 0;
        DialogDriver driver;
        c.end(driver);
        EXPECT_EQ(driver.Run(dialog), c.code) << c.name;
        Log expected{"OnInitDialog", "AfterInitDialog", "OnContentRendered"};
        expected.insert(expected.end(), c.ending.begin(), c.ending.end());
        EXPECT_EQ(Overridables(dialog.m_log), expected) << c.name;
    }
}

TEST_F(WPFDialogTest, DialogsThatCannotShowRunNothing)
{
    m_dialog.m_onInit = [](CTestDialog& d) { d.EndDialog(2); };
    EXPECT_EQ(m_driver.Run(m_dialog), 2);
    EXPECT_EQ(m_dialog.m_log, (Log{"OnInitDialog", "OnClosing"}));  // never shown

    CTestDialog missing("test/GibtEsNicht");
    EXPECT_EQ(DialogDriver().Run(missing), -1);
    EXPECT_TRUE(missing.m_log.empty());
    const auto errors = m_boxes.RecordsOf(EBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].text.find("test/GibtEsNicht.ui"), std::string::npos) << errors[0].text;
}

TEST_F(WPFDialogTest, ElementsAttachByNameAndKindAndFrameButtonsByClass)
{
    m_dialog.m_onInit = [](CTestDialog& d) {
        CWPFVKLTextBox missing;
        EXPECT_FALSE(missing.Attach(&d, "VKLTEXTBOX_NICHTDA"));
        CWPFVKLTextBox wrongKind;
        EXPECT_FALSE(wrongKind.Attach(&d, "VKTEXTBLOCK_STATUS"));
        CWPFVKTextBlock inContainer;
        EXPECT_TRUE(inContainer.Attach(d.m_pRoot, "VKTEXTBLOCK_NAMELABEL"));
        // An unbound wrapper answers defaults and changes nothing.
        missing.SetData("x");
        EXPECT_TRUE(missing.GetData().IsEmpty());

        EXPECT_TRUE(d.SetIsEnabled(VKButtonOK, false));
        EXPECT_FALSE(d.SetIsEnabled(VKButtonPrint, true));  // not in this frame
        EXPECT_TRUE(d.ShowAndEnable(VKButtonSelect, true));
        EXPECT_TRUE(d.ShowAndEnable(VKButtonHelp, false));
        EXPECT_FALSE(d.ShowAndEnable(5, true));  // no such class
    };
    const auto shown = [&](int buttonClass) {
        const QPushButton& button = *m_dialog.GetFrameButton(buttonClass);
        return button.text() + (button.isVisible() ? " sichtbar" : "") + (button.isEnabled() ? " aktiv" : "");
    };
    m_driver
        .Do([&] {
            EXPECT_EQ(shown(VKButtonOK), "OK sichtbar");
            EXPECT_EQ(shown(VKButtonHelp), "Hilfe");
            EXPECT_EQ(shown(VKButtonSelect), QString::fromUtf8("Auswählen sichtbar aktiv"));
        })
        .ClickFrameButton(VKButtonOK)  // disabled: nothing happens
        .ClickFrameButton(VKButtonSelect);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_TRUE(m_dialog.m_bAttached);
    EXPECT_EQ(Overridables(m_dialog.m_log), (Log{"OnInitDialog", "AfterInitDialog", "OnContentRendered", "OnSelect",
                                                 "OnSaveAndExit", "OnClosing"}));
}

TEST_F(WPFDialogTest, PostItsAreEditedByTheUserAndHandedBackInOrder)
{
    m_dialog.m_onRendered = [](CTestDialog& d) { d.OpenVKPostIts({"Allergie: Penicillin", "R\xFC" "ckruf"}, true, false); };
    std::vector<CString> texts;
    m_driver.Type("VKPOSTIT_1", "")  // emptied by the user: no note any more
        .Click("VKPOSTIT_NEW")
        .Type("VKPOSTIT_2", "Zahnarzt anrufen")
        .Do([&] { m_dialog.CloseVKPostIts(texts); });
    Run({});
    EXPECT_EQ(texts, (std::vector<CString>{"Allergie: Penicillin", "Zahnarzt anrufen"}));
}

TEST_F(WPFDialogTest, AnExceptionInAHandlerIsShownLoggedAndSurvived)
{
    j3test::TempDir temp;
    CWPFApplication::SetErrorLogFile(temp.path() / "fehler.log");
    m_dialog.m_onAdd = [](CTestDialog&) { throw std::runtime_error("Datenbank weg"); };
    m_driver.Click("VKBUTTON_ADD");
    Run({});  // the dialog goes on and ends with OK
    const auto errors = m_boxes.RecordsOf(EBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].text.find("std::runtime_error: Datenbank weg"), std::string::npos) << errors[0].text;
    const std::string log = j3test::FileBytes(temp.path() / "fehler.log");
    EXPECT_NE(log.find("Datenbank weg"), std::string::npos) << log;
    CWPFApplication::SetErrorLogFile({});
}

} // namespace
