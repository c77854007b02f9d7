#include "J3WinAppFixture.h"

#include "J3Dialoge/J3WinApp.h"
#include "win32/CrashReport.h"
#include "win32/Gdiplus.h"
#include "win32/Win32Journal.h"


#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// A program of the suite: notes its run and what it saw while running.
class CTestProgram : public CJ3WinApp {
public:
    int Run() override
    {
        CWin32Journal::Record("Program::Run");
        registeredWhileRunning = gp_VKSysBase == &GetSysBase();
        dataPathWhileRunning = GetSysBase().m_dataPath;
        return CJ3WinApp::Run();
    }

    bool registeredWhileRunning = false;
    CString dataPathWhileRunning;
};

// Whether expected appears in entries in this order (other entries between).
::testing::AssertionResult InOrder(const std::vector<std::string>& entries, const std::vector<std::string>& expected)
{
    auto position = entries.begin();
    for (const std::string& entry : expected) {
        position = std::find(position, entries.end(), entry);
        if (position == entries.end()) {
            std::ostringstream all;
            for (const std::string& seen : entries)
                all << "\n  " << seen;
            return ::testing::AssertionFailure() << "missing in order: " << entry << "; journal:" << all.str();
        }
        ++position;
    }
    return ::testing::AssertionSuccess();
}

class J3WinAppTest : public J3WinAppFixture {};

TEST_F(J3WinAppTest, ProgramStartsRunsAndEndsInOrder)
{
    const std::size_t mark = CWin32Journal::Size();
    int exitCode = -1;
    {
        CTestProgram program;
        EXPECT_EQ(gp_VKSysBase, &program.GetSysBase());
        char name[] = "j3test";
        char* argv[] = {name, nullptr};
        exitCode = program.WinMain(1, argv);
        EXPECT_TRUE(program.registeredWhileRunning);
        EXPECT_EQ(program.dataPathWhileRunning, "C:\\J3\\Daten\\");
        EXPECT_EQ(CJ3WinApp::GetAppCount(), 1);
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(gp_VKSysBase, nullptr);
    EXPECT_EQ(CJ3WinApp::GetAppCount(), 0);
    EXPECT_TRUE(InOrder(CWin32Journal::EntriesSince(mark),
                        {"CVKWinApp::InitInstance", "CVKSysBase::InitInstance", "AfxOleInit",
                         "VKEnableControlContainer", "GdiplusStartup", "GdiplusNotificationHook",
                         "LoadLibrary j3bitmap", "InitCommonControlsEx 0xff",
                         "UseCrashRpt C:\\J3\\Log\\ J3 2.95.2 HKEY_LOCAL_MACHINE\\SOFTWARE\\Norvane\\J3",
                         "Program::Run", "GdiplusNotificationUnhook", "GdiplusShutdown",
                         "CVKSysBase::ExitInstance", "CVKWinApp::ExitInstance", "AfxOleTerm"}));
    EXPECT_EQ(CJ3SysBase::GetGdiCount(), 0);
    EXPECT_EQ(Gdiplus::GdiplusRunningCount(), 0);
}

TEST_F(J3WinAppTest, OnlyTheFirstApplicationRegistersAndTheRegistrationNeverDangles)
{
    auto first = std::make_unique<CTestProgram>();
    auto second = std::make_unique<CTestProgram>();
    EXPECT_EQ(gp_VKSysBase, &first->GetSysBase());
    // The registered object goes first: the pointer must not point into it.
    first.reset();
    EXPECT_EQ(gp_VKSysBase, nullptr);
    second.reset();
    EXPECT_EQ(CJ3WinApp::GetAppCount(), 0);
}

TEST_F(J3WinAppTest, StartReactsToTheMachineParameters)
{
    // A machine parameter and whether the program's start notes a call that
    // begins with reaction.
    const struct {
        const char* parameter;
        std::optional<std::string> value;
        const char* reaction;
        bool expected;
    } cases[] = {
        {"UseCrashRpt", std::nullopt, "UseCrashRpt ", true}, {"UseCrashRpt", "1", "UseCrashRpt ", true},
        {"UseCrashRpt", "0", "UseCrashRpt ", false},         {"UseCrashRpt", "yes", "UseCrashRpt ", false},
        {"leaktrack", std::nullopt, "LoadLibrary leaktrack", false},
        {"leaktrack", "2", "LoadLibrary leaktrack", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.parameter) + " = " + c.value.value_or("(fehlt)"));
        std::map<std::string, std::string> parameters;
        if (c.value)
            parameters[c.parameter] = *c.value;
        Configure(parameters);
        const std::size_t mark = CWin32Journal::Size();
        CTestProgram program;
        EXPECT_EQ(program.InitInstance(), 1);
        program.ExitInstance();
        const auto entries = CWin32Journal::EntriesSince(mark);
        EXPECT_EQ(std::any_of(entries.begin(), entries.end(),
                              [&](const std::string& entry) { return entry.starts_with(c.reaction); }),
                  c.expected);
    }
}

TEST_F(J3WinAppTest, GdiplusRunsOnceForEveryServiceAndRepeatedStartsKeepTheCount)
{
    const std::size_t mark = CWin32Journal::Size();
    CJ3SysBase first;
    CJ3SysBase second;
    ASSERT_EQ(first.InitInstance(), 1);
    ASSERT_EQ(second.InitInstance(), 1);
    // The base refuses a second start: nothing below it happens.
    EXPECT_EQ(second.InitInstance(), 0);
    EXPECT_EQ(CJ3SysBase::GetGdiCount(), 2);
    EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusStartup"), 1);
    EXPECT_EQ(second.GetGdiplusToken(), 0u);

    first.ExitInstance();
    EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusShutdown"), 1);
    EXPECT_EQ(Gdiplus::GdiplusRunningCount(), 0);
    second.ExitInstance();
    second.ExitInstance();
    EXPECT_EQ(CJ3SysBase::GetGdiCount(), 0);

    // A later object finds the count at 0 and starts GDI+ again; its copies
    // give back nothing they did not take.
    CJ3SysBase later;
    ASSERT_EQ(later.InitInstance(), 1);
    EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusStartup"), 2);
    CJ3SysBase copy(later);
    CJ3SysBase assigned;
    assigned = later;
    copy.ExitInstance();
    assigned.ExitInstance();
    EXPECT_EQ(Gdiplus::GdiplusRunningCount(), 1);
    later.ExitInstance();
    EXPECT_EQ(CJ3SysBase::GetGdiCount(), 0);
    EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusShutdown"), 2);
}

TEST_F(J3WinAppTest, ApplicationStartFailsWhenTheServicesFailButStillSetsUpCrashReporting)
{
    CTestProgram program;
    ASSERT_EQ(program.GetSysBase().InitInstance(), 1);
    const std::size_t mark = CWin32Journal::Size();
    EXPECT_EQ(program.InitInstance(), 0);
    const auto entries = CWin32Journal::EntriesSince(mark);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                            [](const std::string& entry) { return entry.starts_with("UseCrashRpt "); }));
    program.ExitInstance();
}

TEST_F(J3WinAppTest, CrashWritesAReportWithABacktraceIntoTheLogDirectory)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The crashing process runs this test anew: it finds drive C: of this one
    // in the environment.
    if (!std::getenv("J3_TEST_CRASH_DRIVE"))
        setenv("J3_TEST_CRASH_DRIVE", (m_folder.path() / "drive_c").c_str(), 1);
    const std::string driveC = std::getenv("J3_TEST_CRASH_DRIVE");
    EXPECT_EXIT(
        {
            Configure({}, driveC);
            CTestProgram program;
            program.InitInstance();
            std::raise(SIGSEGV);
        },
        ::testing::KilledBySignal(SIGSEGV), "");
    unsetenv("J3_TEST_CRASH_DRIVE");

    std::vector<std::filesystem::path> reports;
    for (const auto& entry : std::filesystem::directory_iterator(driveC + "/J3/Log"))
        if (entry.path().filename().string().starts_with("J3-crash-"))
            reports.push_back(entry.path());
    ASSERT_EQ(reports.size(), 1u);
    std::ifstream report(reports.front());
    const std::string content((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("Programm: J3\nVersion: 2.95.2\nSignal: " + std::to_string(SIGSEGV)), std::string::npos)
        << content;
    const auto backtraceAt = content.find("Backtrace:\n");
    ASSERT_NE(backtraceAt, std::string::npos);
    EXPECT_GT(content.size(), backtraceAt + 20) << "no frames in the backtrace";
}

} // namespace
