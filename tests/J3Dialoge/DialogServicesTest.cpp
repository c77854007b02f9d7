#include "J3WinAppFixture.h"

#include "J3Dialoge/J3SysBaseLoadProc.h"
#include "J3Dialoge/J3WinApp.h"
#include "J3Dialoge/WPFJ3Dialog.h"
#include "support/DialogDriver.h"
#include "vkgui/CVKDialog.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "win32/HtmlHelp.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

using j3test::DialogDriver;

namespace {

constexpr const char* WithHelp = "C:\\Quellen\\J3Dialoge\\DiaBefund.cpp";
constexpr const char* WithoutHelp = "C:\\Quellen\\Ohne\\DiaBefund.cpp";

// A program of the suite that runs the test's scenario as its run.
class CScenarioProgram : public CJ3WinApp {
public:
    explicit CScenarioProgram(std::function<void()> scenario) : m_scenario(std::move(scenario)) {}
    int Run() override
    {
        m_scenario();
        return 0;
    }

private:
    std::function<void()> m_scenario;
};

// A dialog of the suite with its help name, as a deriving dialog sets it.
class CBefundDialog : public CWPFJ3Dialog {
public:
    explicit CBefundDialog(const char* helpName) : CWPFJ3Dialog("test/WPFTestDialog", "j3wpfcs", nullptr)
    {
        m_bNoPlacement = true;
        SetHelpName(helpName);
    }
};

class DialogServicesTest : public J3WinAppFixture {
protected:
    void SetUp() override
    {
        J3WinAppFixture::SetUp();
        const auto helpFolder = std::filesystem::path(HostPath("C:\\J3\\Hilfe\\J3Dialoge.chm"));
        std::filesystem::create_directories(helpFolder);
        std::ofstream(helpFolder / "hDiaBefund.htm")
            << "<html><head><meta charset=\"utf-8\"></head><body><h1>Befund erfassen</h1>"
               "<p>Tragen Sie den Befund ein und best\xC3\xA4tigen Sie mit OK."
               "</p><p>Strg+Umschalt+J ruft die Schnelltaste der Praxis auf.</p></body></html>";
        CloseHelp();
    }
    void TearDown() override
    {
        CloseHelp();
        J3WinAppFixture::TearDown();
    }

    // Runs the scenario inside a running program, or without any program.
    static void RunScenario(bool inProgram, const std::function<void()>& scenario)
    {
        if (!inProgram) {
            scenario();
            return;
        }
        CScenarioProgram program(scenario);
        char name[] = "j3test";
        char* argv[] = {name, nullptr};
        program.WinMain(1, argv);
    }

    static void CloseHelp()
    {
        if (QWidget* help = CHtmlHelpWindow::Window())
            help->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The help window shows the dialog's topic, or there is none.
    static void ExpectHelp(bool shown)
    {
        auto* help = qobject_cast<QTextBrowser*>(CHtmlHelpWindow::Window());
        ASSERT_EQ(help != nullptr, shown);
        if (!shown)
            return;
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(CHtmlHelpWindow::ShownFile(), "C:\\J3\\Hilfe\\J3Dialoge.chm");
        EXPECT_EQ(CHtmlHelpWindow::ShownTopic(), "hDiaBefund.htm");
        EXPECT_TRUE(help->toPlainText().startsWith("Befund erfassen")) << help->toPlainText().toStdString();
        if (const char* shots = std::getenv("J3_SCREENSHOT_DIR"))
            help->grab().save(QString::fromLocal8Bit(shots) + "/help-topic.png");
    }

    static int HotkeyCalls()
    {
        const auto calls = reinterpret_cast<int (*)()>(LoadProc("j3up.dll", "J3UpHotkeyCalls"));
        return calls ? calls() : -1;
    }
};

struct SToolkitCase {
    const char* name;
    bool inProgram;
    const char* helpName;
    bool helpButtonEnabled;
    bool helpShown;
};

class DialogServicesToolkitTest : public DialogServicesTest, public ::testing::WithParamInterface<SToolkitCase> {};

TEST_P(DialogServicesToolkitTest, HelpAndHotkeyOfABaseDialogGoToTheProgramsServices)
{
    const SToolkitCase& c = GetParam();
    const int hotkeysBefore = HotkeyCalls();
    RunScenario(c.inProgram, [&] {
        CBefundDialog dialog(c.helpName);
        DialogDriver driver;
        driver.Do([&] { EXPECT_EQ(dialog.GetFrameButton(VKButtonHelp)->isEnabled(), c.helpButtonEnabled); })
            .PressKey("VKLTEXTBOX_NAME", Qt::Key_F1)
            .Do([&] { ExpectHelp(c.helpShown); CloseHelp(); })
            .ClickFrameButton(VKButtonHelp)
            .Do([&] { ExpectHelp(c.helpShown && c.helpButtonEnabled); })
            .PressKey("VKLTEXTBOX_NAME", Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier)
            .ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(dialog), 1);
    });
    EXPECT_EQ(HotkeyCalls(), hotkeysBefore + (c.inProgram ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Programs, DialogServicesToolkitTest,
    ::testing::Values(SToolkitCase{"WithHelpFile", true, WithHelp, true, true},
                      SToolkitCase{"WithoutHelpFile", true, WithoutHelp, false, false},
                      SToolkitCase{"WithoutServices", false, WithHelp, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct SOlderDialogCase {
    const char* name;
    bool inProgram;
    unsigned int acceleratorKind;
    const char* helpName;
    unsigned int f12Command;
    unsigned int ctrlShiftDCommand;
    bool hasHelp;
};

class DialogServicesOlderDialogTest : public DialogServicesTest,
                                      public ::testing::WithParamInterface<SOlderDialogCase> {};

// Plays keys on the open dialog, then closes it.
void PlayModal(CVKDialog& dialog, const std::function<void(QDialog&)>& steps)
{
    QTimer::singleShot(0, [&] {
        QDialog* window = dialog.GetWindow();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window, 2000));
        steps(*window);
        window->done(0);
    });
    dialog.DoModal();
}

TEST_P(DialogServicesOlderDialogTest, AcceleratorsAndHelpOfAnOlderDialogComeFromTheServices)
{
    const SOlderDialogCase& c = GetParam();
    RunScenario(c.inProgram, [&] {
        CVKDialog dialog(nullptr, c.acceleratorKind);
        CVKDialog::CSpeedBtn* helpButton = dialog.AddSpeedBtn(CVKDialog::ID_HELP_COMMAND, "Hilfe");
        dialog.SetHelpName(c.helpName);
        PlayModal(dialog, [&](QDialog& window) {
            EXPECT_EQ(helpButton->IsEnabled(), c.hasHelp || !c.inProgram);
            QTest::keyClick(&window, Qt::Key_F12);
            EXPECT_EQ(dialog.m_nLastCommand, c.f12Command);
            QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
            EXPECT_EQ(dialog.m_nLastCommand, c.ctrlShiftDCommand);
            QTest::keyClick(&window, Qt::Key_F1);
            ExpectHelp(c.hasHelp && c.inProgram);
        });
    });
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DialogServicesOlderDialogTest,
    ::testing::Values(SOlderDialogCase{"Kind1WithHelp", true, 1, WithHelp, 10005, 10105, true},
                      SOlderDialogCase{"Kind2WithoutHelp", true, 2, WithoutHelp, 10003, 10155, false},
                      SOlderDialogCase{"OtherKind", true, 0, WithHelp, 10005, 10155, true},
                      SOlderDialogCase{"WithoutServices", false, 2, WithHelp, 0, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
