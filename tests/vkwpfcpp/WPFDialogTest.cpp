#include "TestDialog.h"
#include "msgbox/BoxAnswerer.h"
#include "support/DialogDriver.h"
#include "support/GuiApplication.h"
#include "support/TempDir.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "vkwpfcpp/WPFApplication.h"
#include "vkbasis/CVKSysBase.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

using j3test::DialogDriver;
using Log = std::vector<std::string>;

namespace {

// The dialog's overridable calls in the log, without its events.
Log Overridables(const Log& log)
{
    Log calls;
    for (const std::string& entry : log)
        if (entry.rfind("On", 0) == 0 || entry.rfind("After", 0) == 0)
            calls.push_back(entry);
    return calls;
}

class WPFDialogTest : public ::testing::Test {
protected:
    void SetUp() override { j3test::GuiApplication::Instance(); }

    CBoxAnswerer m_boxes;
    CTestDialog m_dialog;
    DialogDriver m_driver;
};

TEST_F(WPFDialogTest, EveryWayOfEndingCallsTheOverridablesInOrder)
{
    struct SCase {
        const char* name;
        std::function<void(DialogDriver&)> end;
        int code;
        const char* ending;
    };
    const SCase cases[] = {
        {"OK", [](DialogDriver& d) { d.ClickFrameButton(VKButtonOK); }, 1, "OnSaveAndExit"},
        {"Abbrechen", [](DialogDriver& d) { d.ClickFrameButton(VKButtonCancel); }, 2, "OnExit"},
        {"Escape", [](DialogDriver& d) { d.PressEscape(); }, 2, "OnExit"},
        {"close button", [](DialogDriver& d) { d.CloseWindow(); }, 2, "OnExit"},
        {"Return in a box without handler", [](DialogDriver& d) { d.PressReturn("VKLTEXTBOX_FILTER"); }, 1,
         "OnSaveAndExit"},
    };
    for (const SCase& c : cases) {
        CTestDialog dialog;
        DialogDriver driver;
        c.end(driver);
        EXPECT_EQ(driver.Run(dialog), c.code) << c.name;
        EXPECT_TRUE(driver.ScriptRan()) << c.name;
        EXPECT_EQ(Overridables(dialog.m_log), (Log{"OnInitDialog", "AfterInitDialog", "OnContentRendered", c.ending, "OnClosing"}))
            << c.name;
    }
}

TEST_F(WPFDialogTest, ElementsAttachByNameAndKind)
{
    m_dialog.m_onInit = [](CTestDialog& d) {
        CWPFVKLTextBox missing;
        EXPECT_FALSE(missing.Attach(&d, "VKLTEXTBOX_NICHTDA"));
        EXPECT_FALSE(missing.IsAttached());
        CWPFVKLTextBox wrongKind;
        EXPECT_FALSE(wrongKind.Attach(&d, "VKTEXTBLOCK_STATUS"));
        CWPFVKTextBlock inContainer;
        EXPECT_TRUE(inContainer.Attach(d.m_pRoot, "VKTEXTBLOCK_NAMELABEL"));
        // An unbound wrapper answers defaults and changes nothing.
        missing.SetData("x");
        EXPECT_TRUE(missing.GetData().IsEmpty());
    };
    m_driver.ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    for (bool attached : m_dialog.m_bAttachResults)
        EXPECT_TRUE(attached);
}

TEST_F(WPFDialogTest, ClosingCanBeRefusedAndTheDialogStaysUsable)
{
    m_dialog.m_nRefuseClosing = 1;
    m_driver.ClickFrameButton(VKButtonCancel)
        .Do([&] { EXPECT_TRUE(m_dialog.GetWindow()->isVisible()); })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(Overridables(m_dialog.m_log), (Log{"OnInitDialog", "AfterInitDialog", "OnContentRendered", "OnExit", "OnClosing",
                                   "OnSaveAndExit", "OnClosing"}));
}

TEST_F(WPFDialogTest, EndingDuringInitialisationNeverShowsTheDialog)
{
    m_dialog.m_onInit = [](CTestDialog& d) { d.EndDialog(2); };
    EXPECT_EQ(m_driver.Run(m_dialog), 2);
    EXPECT_FALSE(m_driver.ScriptRan());
    EXPECT_EQ(m_dialog.m_log, (Log{"OnInitDialog", "OnClosing"}));
}

TEST_F(WPFDialogTest, MissingMarkupIsReportedAndRunsNothing)
{
    CTestDialog dialog("test/GibtEsNicht");
    EXPECT_EQ(m_driver.Run(dialog), -1);
    EXPECT_TRUE(dialog.m_log.empty());
    const auto errors = m_boxes.RecordsOf(EBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].text.find("test/GibtEsNicht.ui"), std::string::npos) << errors[0].text;
}

TEST_F(WPFDialogTest, FrameButtonsByClass)
{
    m_dialog.m_onInit = [](CTestDialog& d) {
        EXPECT_TRUE(d.SetIsEnabled(VKButtonOK, false));
        EXPECT_FALSE(d.SetIsEnabled(VKButtonPrint, true));  // not in this frame
        EXPECT_TRUE(d.ShowAndEnable(VKButtonSelect, true));
        EXPECT_TRUE(d.ShowAndEnable(VKButtonHelp, false));
        EXPECT_FALSE(d.ShowAndEnable(5, true));  // no such class
    };
    m_driver
        .Do([&] {
            struct SExpect {
                int buttonClass;
                const char* text;
                bool visible;
                bool enabled;
            };
            const SExpect expected[] = {{VKButtonOK, "OK", true, false},
                                        {VKButtonHelp, "Hilfe", false, false},
                                        {VKButtonSelect, "Auswählen", true, true}};
            for (const SExpect& e : expected) {
                QPushButton* button = m_dialog.GetFrameButton(e.buttonClass);
                ASSERT_NE(button, nullptr) << e.buttonClass;
                EXPECT_EQ(button->text(), QString::fromUtf8(e.text));
                EXPECT_EQ(button->isVisible(), e.visible) << e.text;
                EXPECT_EQ(button->isEnabled(), e.enabled) << e.text;
            }
        })
        .ClickFrameButton(VKButtonOK)  // disabled: nothing happens
        .ClickFrameButton(VKButtonSelect);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(Overridables(m_dialog.m_log), (Log{"OnInitDialog", "AfterInitDialog", "OnContentRendered", "OnSelect",
                                   "OnSaveAndExit", "OnClosing"}));
}

class CRecordingServices : public CVKSysBase {
public:
    void SetHelpName(CWPFDialog* dialog, const CString& name) override
    {
        calls.push_back("SetHelpName " + name.str());
        dialog->SetHelpFile(name + ".chm");
    }
    long OnCommandHelp(CWPFDialog* dialog, unsigned int, long context) override
    {
        calls.push_back("OnCommandHelp " + dialog->GetHelpFile().str() + " " + std::to_string(context));
        return 1;
    }
    void DisableHelpButton(CWPFDialog* dialog) override
    {
        calls.push_back("DisableHelpButton");
        if (dialog->GetHelpFile().IsEmpty())
            dialog->SetIsEnabled(VKButtonHelp, false);
    }
    void OnHotkey(CWPFDialog*) override { calls.push_back("OnHotkey"); }
    std::vector<std::string> calls;
};

TEST_F(WPFDialogTest, HelpAndHotkeyGoToTheRegisteredSystemServices)
{
    CRecordingServices services;
    gp_VKSysBase = &services;
    m_dialog.SetHelpName("J3Dialoge/TestDialog");
    m_driver.ClickFrameButton(VKButtonHelp)
        .PressKey("VKLTEXTBOX_NAME", Qt::Key_F1)
        .PressKey("VKLTEXTBOX_NAME", Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier)
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(services.calls, (Log{"SetHelpName J3Dialoge/TestDialog", "DisableHelpButton",
                                   "OnCommandHelp J3Dialoge/TestDialog.chm 0",
                                   "OnCommandHelp J3Dialoge/TestDialog.chm 0", "OnHotkey"}));

    // Without a help file the help button is disabled.
    CTestDialog withoutHelp;
    DialogDriver driver;
    driver.Do([&] { EXPECT_FALSE(withoutHelp.GetFrameButton(VKButtonHelp)->isEnabled()); })
        .ClickFrameButton(VKButtonCancel);
    EXPECT_EQ(driver.Run(withoutHelp), 2);
    gp_VKSysBase = nullptr;
}

TEST_F(WPFDialogTest, PostItsAreEditedByTheUserAndHandedBackInOrder)
{
    m_dialog.m_onRendered = [](CTestDialog& d) { d.OpenVKPostIts({"Allergie: Penicillin", "R\xFC" "ckruf"}, true, false); };
    std::vector<CString> texts;
    m_driver.Do([&] {
            auto* first = qobject_cast<QPlainTextEdit*>(DialogDriver::Find(*m_dialog.GetWindow(), "VKPOSTIT_0"));
            ASSERT_NE(first, nullptr);
            EXPECT_EQ(first->toPlainText(), QString::fromUtf8("Allergie: Penicillin"));
            EXPECT_TRUE(first->isVisible());
        })
        .Type("VKPOSTIT_1", "")  // emptied by the user: no note any more
        .Click("VKPOSTIT_NEW")
        .Type("VKPOSTIT_2", "Zahnarzt anrufen")
        .Do([&] { m_dialog.CloseVKPostIts(texts); })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(texts, (std::vector<CString>{"Allergie: Penicillin", "Zahnarzt anrufen"}));
}

TEST_F(WPFDialogTest, ReadOnlyPostItsCannotBeChangedOrAdded)
{
    m_dialog.OpenVKPostIts({"nur lesen"}, false, true);  // before the window exists
    std::vector<CString> texts;
    m_driver.Type("VKPOSTIT_0", "anders")
        .Do([&] {
            EXPECT_FALSE(DialogDriver::Find(*m_dialog.GetWindow(), "VKPOSTIT_NEW")->isVisible());
            m_dialog.CloseVKPostIts(texts);
        })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(texts, std::vector<CString>{"nur lesen"});
}

TEST_F(WPFDialogTest, AnExceptionInAHandlerIsShownLoggedAndSurvived)
{
    j3test::TempDir temp;
    CWPFApplication::SetErrorLogFile(temp.path() / "fehler.log");
    m_dialog.m_onAdd = [](CTestDialog&) { throw std::runtime_error("Datenbank weg"); };
    m_driver.Click("VKBUTTON_ADD").ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(m_dialog.m_log.back(), "OnClosing");
    const auto errors = m_boxes.RecordsOf(EBoxKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].text.find("std::runtime_error: Datenbank weg"), std::string::npos) << errors[0].text;
    std::ifstream log(temp.path() / "fehler.log");
    std::stringstream content;
    content << log.rdbuf();
    EXPECT_NE(content.str().find("Datenbank weg"), std::string::npos) << content.str();
    CWPFApplication::SetErrorLogFile({});
}

} // namespace
