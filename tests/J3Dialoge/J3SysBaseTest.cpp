#include "J3WinAppFixture.h"

#include "J3Dialoge/J3SysBase.h"
#include "J3Dialoge/J3SysBaseLoadProc.h"
#include "dbdll/DBIdentity.h"
#include "vkbasis/DateUtils.h"
#include "vkwpfcpp/WPFDialog.h"
#include "win32/LibraryLoader.h"
#include "win32/ShellFolders.h"


#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class J3SysBaseTest : public J3WinAppFixture {
protected:
    void SetUp() override
    {
        J3WinAppFixture::SetUp();
        dbProgId = "AB";
        dbLfdWorkstation = "7";
        dbTaskId = "12345";
        dbMdId = "1";
        dbPId = "22";
        dbLfdInstanz = "3";
        dbPraxisId = "P1";
    }

    // A function of a loaded plugin, for reading what the plugin noted.
    template <typename Function>
    Function PluginFunction(const char* library, const char* name)
    {
        return reinterpret_cast<Function>(GetProcAddress(GetModuleHandleA(library), name));
    }

    CJ3SysBase m_services;
};

// Paths, identity and temporary directories ----------------------------------

TEST_F(J3SysBaseTest, TemporaryDirectoryIsNamedAndCreated)
{
    const char* const cases[][3] = {{"A B?", "", "C:\\J3\\Temp\\dbtmpA0B0\\"},
                                    {"AB", "dbtmp1", "C:\\J3\\Temp\\dbtmpdbtmp1\\"}};
    for (const auto& [progId, suffix, expected] : cases) {
        dbProgId = progId;
        const CString directory = m_services.GetTempDirDB(suffix);
        EXPECT_EQ(directory, expected);
        EXPECT_TRUE(std::filesystem::is_directory(HostPath(directory.GetString())));
        // Asking again finds the directory there and gives the same path.
        EXPECT_EQ(m_services.GetTempDirDB(suffix), directory);
    }
}

TEST_F(J3SysBaseTest, SharedDentalFolderLiesBelowCommonProgramFiles)
{
    const std::pair<std::string, const char*> cases[] = {{"C:\\Gemeinsam", "C:\\Gemeinsam\\VK\\Dental\\"},
                                                         {"D:\\", "D:\\VK\\Dental\\"},
                                                         {"C:\\" + std::string(250, 'x'), ""}};
    for (const auto& [shellFolder, expected] : cases) {
        CShellFolders::SetFolder(CSIDL_PROGRAM_FILES_COMMON, shellFolder);
        CJ3SysBase services;
        ASSERT_EQ(services.InitInstance(), 1);
        // Without a registered object the services fill their own directories.
        EXPECT_EQ(services.m_commonDentalPath, expected);
        services.ExitInstance();
    }
    CShellFolders::SetFolder(CSIDL_PROGRAM_FILES_COMMON, std::string("C:\\Program Files\\Common Files"));
}

// Hotkeys and Daisy ---------------------------------------------------------------

TEST_F(J3SysBaseTest, DaisyCallArrivesWithItsArguments)
{
    m_services.OnStartDaisy("Karies", "K02.1", true);
    const auto lastCall = PluginFunction<const char* (*)()>("j3fremd.dll", "J3FremdLastDaisyCall");
    ASSERT_NE(lastCall, nullptr);
    EXPECT_STREQ(lastCall(), "Karies|K02.1|1");
    m_services.OnStartDaisy("", "x", false);
    EXPECT_STREQ(lastCall(), "|x|0");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(J3SysBaseTest, MissingPluginsAndFunctionsAreShownEveryTime)
{
    const std::string j3up = CLibraryLoader::SharedObjectPath("j3up");
    gp_VKSysBase = &m_services;  // as a program's application object registers it
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadProc("j3up.dll", "GibtEsNicht"), nullptr);
    RemovePlugins();
    std::ofstream(CLibraryLoader::PluginFolder() + "/libj3fremd.so") << "Ein Brief, keine Bibliothek.\n";
    CWPFDialog dialog("jt/j3dialoge/Test", "j3wpfcs", nullptr);
    m_services.OnHotkey(&dialog);
    m_services.OnStartDaisy("a", "b", false);
    m_services.OnStartDaisy("a", "b", false);
    // The Daisy answer is kept for the process: reported once, answered 0.
    EXPECT_EQ(m_services.HasDaisyHOZ(), 0);
    EXPECT_EQ(m_services.HasDaisyHOZ(), 0);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Hinweis|Programm in Vorbereitung!",
                                                      "LoadLibrary fehlgeschlagen!|j3up.dll\nJ3HotkeyFunc",
                                                      "LoadLibrary fehlgeschlagen!|j3fremd.dll\nRunDaisy",
                                                      "LoadLibrary fehlgeschlagen!|j3fremd.dll\nRunDaisy",
                                                      "LoadLibrary fehlgeschlagen!|j3fremd\nHasDaisyHOZ"}));
    // Which file was tried and why it failed, on stderr and in the log.
    gp_VKSysBase = nullptr;
    const std::string reported = testing::internal::GetCapturedStderr();
    const std::string log = j3test::FileBytes(HostPath("C:\\J3\\Log\\dbdll.log"));
    for (const std::string& reason :
         {"LoadProc j3up.dll/GibtEsNicht: " + j3up + ": undefined symbol: GibtEsNicht",
          "LoadProc j3up.dll/J3HotkeyFunc: libj3up.so, j3up.so oder j3up gibt es nicht im Ordner " +
              CLibraryLoader::PluginFolder(),
          "LoadProc j3fremd.dll/RunDaisy: " + CLibraryLoader::PluginFolder() + "/libj3fremd.so: file too short"}) {
        EXPECT_NE(reported.find(reason), std::string::npos) << reason << "\n" << reported;
        EXPECT_NE(log.find(reason), std::string::npos) << reason << "\n" << log;
    }
}

// The Daisy answer is kept for the process, so each case runs in a process of
// its own and reports through its exit code.
void ExpectInOwnProcess(const std::function<bool()>& scenario)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(scenario() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST_F(J3SysBaseTest, DaisyAnswerIsAskedAgainOnlyWhileMinusOne)
{
    ExpectInOwnProcess([this] {
        LoadProc("j3fremd", "HasDaisyHOZ");
        const auto setAnswer = PluginFunction<void (*)(int)>("j3fremd", "J3FremdSetHozAnswer");
        const auto calls = PluginFunction<int (*)()>("j3fremd", "J3FremdHozCalls");
        setAnswer(-1);
        const bool askedAgain = m_services.HasDaisyHOZ() == -1 && m_services.HasDaisyHOZ() == -1 && calls() == 2;
        setAnswer(5);
        const bool thenKept = m_services.HasDaisyHOZ() == 5 && m_services.HasDaisyHOZ() == 5 && calls() == 3;
        return askedAgain && thenKept && Boxes().empty();
    });
}

// Database services ---------------------------------------------------------------

TEST_F(J3SysBaseTest, RecordInfoIsTimeStampAndPaddedIdentity)
{
    // Workstation, task, mandant, user, program, instance; the identity part.
    const char* const cases[][7] = {{"7", "12345", "1", "22", "AB", "3", "7  123  1 22AB 3"},
                                    {"1234", "12", "98765", "4321", "ABCD", "45", "12312 765321ABC4"}};
    for (const auto& c : cases) {
        dbLfdWorkstation = c[0];
        dbTaskId = c[1];
        dbMdId = c[2];
        dbPId = c[3];
        dbProgId = c[4];
        dbLfdInstanz = c[5];
        const CString before = GetStechUhr();
        const CString info = m_services.MakeRInfo("");
        const CString after = GetStechUhr();
        ASSERT_EQ(info.GetLength(), before.GetLength() + 16);
        const CString stamp = info.Left(before.GetLength());
        EXPECT_TRUE(stamp >= before && stamp <= after) << stamp.GetString();
        EXPECT_EQ(info.Mid(before.GetLength()), c[6]);
    }
}

TEST_F(J3SysBaseTest, DatabaseErrorsGoToTheLogFile)
{
    m_services.DoDBError("SQL-Fehler 1" + m_services.DBErrorString());
    m_services.DoDBError("SQL-Fehler 2");
    std::ifstream log(HostPath("C:\\J3\\Log\\dbdll.log"));
    ASSERT_TRUE(log.is_open());
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].ends_with(" SQL-Fehler 1, Workstation: 7, ProgId: AB, PraxisId: P1")) << lines[0];
    EXPECT_TRUE(lines[1].ends_with(" SQL-Fehler 2")) << lines[1];
}

} // namespace
