#include "WPFJ3DialogFixture.h"
#include "WPFJ3TestDialog.h"

#include "j3params/J3Params.h"
#include "support/DialogDriver.h"
#include "vkwpfcpp/VKButtonClass.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

#include <chrono>
#include <optional>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using j3test::DialogDriver;

namespace {

constexpr SProgramUser Workstation1{"1", "12"};
constexpr SProgramUser Workstation2{"2", "12"};
constexpr const char* Befund = "j3wpfcs/test/WPFJ3TestDialog";
constexpr const char* Karteikarte = "j3wpfcs/test/WPFTestDialog";
const QRect Moved(30, 40, 500, 260);
constexpr const char* MovedValue = "0|1|-1|-1|-1|-1|30|40|530|300";

QRect Geometry(const CWPFDialog& dialog)
{
    return dialog.GetWindow()->geometry();
}

// Runs the dialog; the user moves it to `moveTo` when given and confirms.
// The geometry it opened with.
QRect OpenDialog(CWPFJ3TestDialog& dialog, std::optional<QRect> moveTo = std::nullopt)
{
    QRect opened;
    DialogDriver driver;
    driver.Do([&] {
        opened = Geometry(dialog);
        if (moveTo)
            dialog.GetWindow()->setGeometry(*moveTo);
    });
    driver.ClickFrameButton(VKButtonOK);
    EXPECT_EQ(driver.Run(dialog), 1);
    return opened;
}

QRect OpenDialog(const char* markupKey = "test/WPFJ3TestDialog", std::optional<QRect> moveTo = std::nullopt)
{
    CWPFJ3TestDialog dialog(markupKey);
    return OpenDialog(dialog, moveTo);
}

using WPFJ3DialogTest = WPFJ3DialogFixture;

// Waits for one byte from another program; false when none comes in time.
bool ReceiveSignal(int fd)
{
    pollfd waiting{fd, POLLIN, 0};
    char signal = 0;
    return poll(&waiting, 1, 20000) == 1 && read(fd, &signal, 1) == 1;
}

TEST_F(WPFJ3DialogTest, PlacementIsRestoredOnTheSameWorkstationOnly)
{
    SetParameter("269", "savewps001", "1");
    SetParameter("269", "savewps002", "1");
    RunProgram(Workstation1, [] { OpenDialog("test/WPFJ3TestDialog", Moved); });
    const std::map<std::string, std::string> saved = {{"did   0", Befund}, {"dps   01", MovedValue}};
    EXPECT_EQ(Parameters("269", "d"), saved);

    RunProgram(Workstation1, [] { EXPECT_EQ(OpenDialog(), Moved); });
    RunProgram(Workstation2, [] { EXPECT_NE(OpenDialog(), Moved); });
    // The other workstation keeps its own placement under the same number.
    EXPECT_EQ(Parameters("269", "dps").size(), 2u);
}

TEST_F(WPFJ3DialogTest, TheWorkstationSwitchTurnsPlacementOnAndOff)
{
    struct SCase {
        std::optional<std::string> value;  // nullopt: no record
        bool on;
    };
    const SCase cases[] = {{std::nullopt, false}, {"0", false}, {"ja", true}};
    for (const SCase& c : cases) {
        SCOPED_TRACE("savewps001 = " + c.value.value_or("(kein Satz)"));
        Execute("DELETE FROM parpool");
        SetParameter("269", "did   0", Befund);
        SetParameter("269", "dps   01", MovedValue);
        SetParameter("269", "did   9", "j3wpfcs/jt/j3dialoge/Alt");
        // Another workstation's switch does not count here.
        SetParameter("269", "savewps002", "1");
        if (c.value)
            SetParameter("269", "savewps001", *c.value);
        RunProgram(Workstation1, [&] {
            const QRect opened = OpenDialog("test/WPFJ3TestDialog", QRect(60, 70, 480, 240));
            EXPECT_EQ(opened == Moved, c.on);
            // A dialog class without a number gets the next after the highest
            // (gaps stay), only while placement is on.
            OpenDialog("test/WPFTestDialog");
        });
        EXPECT_EQ(Parameters("269", "dps   01").at("dps   01"), c.on ? "0|1|-1|-1|-1|-1|60|70|540|310" : MovedValue);
        EXPECT_EQ(Parameters("269", "did").count("did  10"), c.on ? 1u : 0u);
    }
}

TEST_F(WPFJ3DialogTest, ADialogThatNeverInitializedOrKeepsNoPlacementSavesNothing)
{
    SetParameter("269", "savewps001", "1");
    RunProgram(Workstation1, [] {
        CWPFJ3TestDialog refused;
        refused.m_bEndAtInit = true;
        EXPECT_EQ(refused.DoModal(), 2);
        CWPFJ3TestDialog withoutPlacement;
        withoutPlacement.KeepNoPlacement();
        OpenDialog(withoutPlacement, Moved);
    });
    EXPECT_TRUE(Parameters("269", "d").empty());
}

// A usable placement is restored, one off the screen moved onto it; others
// are ignored.
TEST_F(WPFJ3DialogTest, StoredPlacementsAreRestoredOnTheScreenOrIgnored)
{
    enum EOpened { Restored, OnScreen, Standard };
    const std::pair<const char*, EOpened> cases[] = {
        {MovedValue, Restored},
        {"0|1|-1|-1|-1|-1|5000|4000|5500|4260", OnScreen},
        {"0|1|-1|-1|-1|-1|30|40|30|300", Standard},          // no width
        {"0|1|-1|-1|-1|-1|30|40|530|99999999999", Standard}, // beyond 32 bits
    };
    SetParameter("269", "savewps001", "1");
    RunProgram(Workstation1, [&] {
        // The first opening has nothing to restore.
        const QRect standard = OpenDialog();
        ASSERT_NE(standard, Moved);
        QRect onScreen(QPoint(), Moved.size());
        onScreen.moveBottomRight(QGuiApplication::primaryScreen()->geometry().bottomRight());
        for (const auto& [value, opened] : cases) {
            SCOPED_TRACE(value);
            WriteParameter("269", "dps   01", value);
            EXPECT_EQ(OpenDialog(), opened == Restored ? Moved : opened == OnScreen ? onScreen : standard);
        }
    });
}

TEST_F(WPFJ3DialogTest, TwoWorkstationsClosingAtOnceNeverShareANumber)
{
    struct SCase {
        const char* first;
        const char* second;
        std::map<std::string, std::string> numbers;
    };
    const SCase cases[] = {
        {"test/WPFJ3TestDialog", "test/WPFTestDialog", {{"did   0", Befund}, {"did   1", Karteikarte}}},
        {"test/WPFJ3TestDialog", "test/WPFJ3TestDialog", {{"did   0", Befund}}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second);
        Execute("DELETE FROM parpool");
        SetParameter("269", "savewps001", "1");
        SetParameter("269", "savewps002", "1");
        int toParent[2];
        int toFirst[2];
        ASSERT_EQ(pipe(toParent), 0);
        ASSERT_EQ(pipe(toFirst), 0);
        // The first workstation stops just before it stores its new number.
        const pid_t first = StartProgram(Workstation1, [&] {
            HookStatement("INSERT", "parpool", "CAST(NEW.kuerzel AS TEXT) LIKE 'did%'", [&] {
                char signal = 'n';
                EXPECT_EQ(write(toParent[1], &signal, 1), 1);
                EXPECT_EQ(read(toFirst[0], &signal, 1), 1);
            });
            OpenDialog(c.first, Moved);
        });
        ASSERT_TRUE(ReceiveSignal(toParent[0])) << "the first workstation did not number its dialog";
        // The second one closes its dialog meanwhile; it has to wait for the
        // first instead of taking the same number.
        const pid_t second = StartProgram(Workstation2, [&] {
            CWPFJ3TestDialog dialog(c.second);
            dialog.m_beforeClosing = [&] {
                char closing = 'c';
                EXPECT_EQ(write(toParent[1], &closing, 1), 1);
            };
            OpenDialog(dialog, QRect(60, 70, 480, 240));
        });
        ASSERT_TRUE(ReceiveSignal(toParent[0])) << "the second workstation did not close its dialog";
        int secondStatus = 0;
        bool secondEnded = false;
        for (int waited = 0; waited < 100 && !secondEnded; ++waited) {
            secondEnded = waitpid(second, &secondStatus, WNOHANG) == second;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const char go = 'g';
        ASSERT_EQ(write(toFirst[1], &go, 1), 1);
        const int firstStatus = WaitForProgram(first);
        if (!secondEnded)
            secondStatus = WaitForProgram(second);
        for (int fd : {toParent[0], toParent[1], toFirst[0], toFirst[1]})
            close(fd);
        EXPECT_TRUE(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0);
        EXPECT_TRUE(WIFEXITED(secondStatus) && WEXITSTATUS(secondStatus) == 0);
        EXPECT_EQ(Parameters("269", "did"), c.numbers);
        // Each workstation's placement lies under its own dialog's number.
        const std::map<std::string, std::string> placements = Parameters("269", "dps");
        const std::string secondNumber = c.numbers.size() == 2 ? "   1" : "   0";
        EXPECT_EQ(placements.at("dps   01"), MovedValue);
        EXPECT_EQ(placements.at("dps" + secondNumber + "2"), "0|1|-1|-1|-1|-1|60|70|540|310");
    }
}

// The texts of the notes the dialog shows, in order.
std::vector<std::string> ShownNotes(const CWPFDialog& dialog)
{
    std::vector<std::string> texts;
    while (const auto* note = dialog.GetWindow()->findChild<QPlainTextEdit*>(
               QStringLiteral("VKPOSTIT_%1").arg(texts.size())))
        texts.push_back(note->toPlainText().toStdString());
    return texts;
}

using WPFJ3DialogNotesTest = WPFJ3DialogFixture;

TEST_F(WPFJ3DialogNotesTest, PermissionDecidesWhatTheDialogShowsAndStores)
{
    struct SCase {
        int permission;
        bool perUser;
        bool shown;
        bool editable;
    };
    const SCase cases[] = {
        {2, false, true, true}, {1, false, true, false}, {1, true, true, true}, {3, false, false, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE("Berechtigung " + std::to_string(c.permission) + (c.perUser ? " pro Benutzer" : ""));
        Execute("DELETE FROM files");
        SetEInfoPermission(c.permission);
        SetParameter("  0", "usrpostit", c.perUser ? "1" : "0");
        const std::string base =
            (GetJ3DataPath(0) + "eInfo\\").str() + (c.perUser ? "p12" : "w1") + "\\test-WPFJ3TestDialog.0";
        StoreFile(base + ".0", "Erste");
        StoreFile(base + ".5", "Zweite");
        RunProgram(Workstation1, [&] {
            CWPFJ3TestDialog dialog;
            DialogDriver driver;
            driver.Do([&] {
                const std::vector<std::string> stored = {"Erste", "Zweite"};
                EXPECT_EQ(ShownNotes(dialog), c.shown ? stored : std::vector<std::string>());
                EXPECT_EQ(DialogDriver::Find(*dialog.GetWindow(), "VKPOSTIT_NEW")->isVisible(), c.editable);
            });
            if (c.editable)
                driver.Click("VKPOSTIT_NEW").Type("VKPOSTIT_2", "Dritte");
            driver.ClickFrameButton(VKButtonOK);
            EXPECT_EQ(driver.Run(dialog), 1);
        });
        const std::map<std::string, std::string> stored =
            c.editable ? std::map<std::string, std::string>{{base + ".0", "Erste"}, {base + ".1", "Zweite"},
                                                            {base + ".2", "Dritte"}}
                       : std::map<std::string, std::string>{{base + ".0", "Erste"}, {base + ".5", "Zweite"}};
        EXPECT_EQ(StoredFiles((GetJ3DataPath(0) + "eInfo").str()), stored);
    }
}

} // namespace
