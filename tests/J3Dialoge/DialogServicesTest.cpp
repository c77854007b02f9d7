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
#include <memory>

namespace {

constexpr const char* WithHelp = "C:\\Quellen\\J3Dialoge\\DiaBefund.cpp";
constexpr const char* WithoutHelp = "C:\\Quellen\\Ohne\\DiaBefund.cpp";

class CBefundDialog : public CWPFJ3Dialog {
public:
    explicit CBefundDialog(const char* helpName) : CWPFJ3Dialog("test/WPFTestDialog", "j3wpfcs", nullptr)
    {
        m_bNoPlacement = true;
        SetHelpName(helpName);
    }
};

// Dialogs opened in a running program of the suite, or in a process without one.
class DialogServicesTest : public J3WinAppFixture {
protected:
    void SetUp() override
    {
        J3WinAppFixture::SetUp();
        const std::filesystem::path helpFolder = HostPath("C:\\J3\\Hilfe\\J3Dialoge.chm");
        std::filesystem::create_directories(helpFolder);
        std::ofstream(helpFolder / "hDiaBefund.htm")
            // As the suite writes its pages: Windows-1252, no declared charset.
            << "<html><body><h1>Befund erfassen</h1>"
               "<p>Tragen Sie den Befund ein und best\xE4tigen Sie mit OK.</p>"
               "<p>Strg+Umschalt+J ruft die Schnelltaste der Praxis auf.</p></body></html>";
    }
    void TearDown() override
    {
        CloseHelp();
        if (m_program)
            m_program->ExitInstance();
        m_program.reset();
        J3WinAppFixture::TearDown();
    }
    // A running program of the suite, or none.
    void StartProgram(bool inProgram)
    {
        if (m_program)
            m_program->ExitInstance();
        m_program.reset();
        if (!inProgram)
            return;
        m_program = std::make_unique<CJ3WinApp>();
        ASSERT_EQ(m_program->InitInstance(), 1);
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
        if (!help)
            return;
        EXPECT_EQ(CHtmlHelpWindow::ShownFile() + "|" + CHtmlHelpWindow::ShownTopic(),
                  "C:\\J3\\Hilfe\\J3Dialoge.chm|hDiaBefund.htm");
        EXPECT_TRUE(help->isVisible() && help->toPlainText().startsWith("Befund erfassen"));
        EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("best\u00E4tigen"))) << help->toPlainText().toStdString();
        if (const char* shots = std::getenv("J3_SCREENSHOT_DIR"))
            help->grab().save(QString::fromLocal8Bit(shots) + "/help-topic.png");
        CloseHelp();
    }
    static int HotkeyCalls() { return reinterpret_cast<int (*)()>(LoadProc("j3up.dll", "J3UpHotkeyCalls"))(); }

    std::unique_ptr<CJ3WinApp> m_program;
};

TEST_F(DialogServicesTest, HelpAndHotkeyOfABaseDialogGoToTheProgramsServices)
{
    const struct {
        bool inProgram;
        const char* helpName;
        bool helpButtonEnabled;
        bool helpShown;
    } cases[] = {{true, WithHelp, true, true}, {true, WithoutHelp, false, false}, {false, WithHelp, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.inProgram ? "im Programm, " : "ohne Programm, ") + c.helpName);
        const int hotkeysBefore = HotkeyCalls();
        StartProgram(c.inProgram);
        CBefundDialog dialog(c.helpName);
        j3test::DialogDriver driver;
        driver.Do([&] { EXPECT_EQ(dialog.GetFrameButton(VKButtonHelp)->isEnabled(), c.helpButtonEnabled); })
            .PressKey("VKLTEXTBOX_NAME", Qt::Key_F1)
            .Do([&] { ExpectHelp(c.helpShown); })
            .ClickFrameButton(VKButtonHelp)
            .Do([&] { ExpectHelp(c.helpShown); })
            .PressKey("VKLTEXTBOX_NAME", Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier)
            .ClickFrameButton(VKButtonOK);
        EXPECT_EQ(driver.Run(dialog), 1);
        EXPECT_EQ(HotkeyCalls(), hotkeysBefore + (c.inProgram ? 1 : 0));
    }
}

TEST_F(DialogServicesTest, AcceleratorsAndHelpOfAnOlderDialogComeFromTheServices)
{
    const struct {
        bool inProgram;
        unsigned int acceleratorKind;
        const char* helpName;
        unsigned int f12Command;
        unsigned int ctrlShiftDCommand;
        bool helpButtonEnabled;
        bool helpShown;
    } cases[] = {
        {true, 1, WithHelp, 10005, 10105, true, true},
        {true, 2, WithoutHelp, 10003, 10155, false, false},
        {true, 0, WithHelp, 10005, 10155, true, true},
        {false, 2, WithHelp, 0, 0, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.inProgram ? "im Programm, Art " : "ohne Programm, Art ") +
                     std::to_string(c.acceleratorKind));
        StartProgram(c.inProgram);
        CVKDialog dialog(nullptr, c.acceleratorKind);
        CVKDialog::CSpeedBtn* helpButton = dialog.AddSpeedBtn(CVKDialog::ID_HELP_COMMAND, "Hilfe");
        dialog.SetHelpName(c.helpName);
        QTimer::singleShot(0, [&] {
            QDialog* window = dialog.GetWindow();
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window, 2000));
            EXPECT_EQ(helpButton->IsEnabled(), c.helpButtonEnabled);
            QTest::keyClick(window, Qt::Key_F12);
            EXPECT_EQ(dialog.m_nLastCommand, c.f12Command);
            QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
            EXPECT_EQ(dialog.m_nLastCommand, c.ctrlShiftDCommand);
            QTest::keyClick(window, Qt::Key_F1);
            ExpectHelp(c.helpShown);
            window->done(0);
        });
        dialog.DoModal();
    }
}

} // namespace
