#include "j3params/J3MachineConfig.h"
#include "j3params/J3Params.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

// The suite's functions read the process-wide configuration, which comes from
// the process environment: each test writes a file and names it in J3_CONFIG.
class J3ParamsTest : public ::testing::Test {
protected:
    void Configure(const std::string& text)
    {
        const std::string file = m_dir.file("j3machine.ini");
        std::ofstream(file) << text;
        setenv("J3_CONFIG", file.c_str(), 1);
        std::string error;
        ASSERT_TRUE(CJ3MachineConfig::ReloadCurrent(error)) << error;
    }

    void TearDown() override { unsetenv("J3_CONFIG"); }

    j3test::TempDir m_dir;
};

TEST_F(J3ParamsTest, DirectoriesComeAsWindows1252Texts)
{
    Configure("[paths]\ndata = C:\\Praxis Müller\\Daten\ndata_ro = C:\\RO\\\nqa = C:\\QA\\\n"
              "appdata = C:\\App\\\ntemp = C:\\Tmp\\\nlog = C:\\Log\\\nhelp = C:\\Hilfe\\\n");
    EXPECT_EQ(GetJ3DataPath(0), CString("C:\\Praxis M\xFCller\\Daten\\"));
    EXPECT_EQ(GetJ3DataROPath(0), CString("C:\\RO\\"));
    EXPECT_EQ(GetJ3QAPath(), CString("C:\\QA\\"));
    CString appData = "stale";
    GetJ3AppDataPath(appData);
    EXPECT_EQ(appData, CString("C:\\App\\"));
    EXPECT_EQ(GetJ3TempPath(), CString("C:\\Tmp\\"));
    EXPECT_EQ(GetJ3LogPath(), CString("C:\\Log\\"));
    EXPECT_EQ(GetJ3HelpPath(), CString("C:\\Hilfe\\"));
}

TEST_F(J3ParamsTest, MachineParametersKeepTheCallersPresetWhenAbsent)
{
    Configure("[parameters]\nleaktrack = 2\nUseCrashRpt =\nGruß = Grüße\n");
    const struct {
        const char* name;
        bool present;
        CString value;
    } cases[] = {
        {"leaktrack", true, "2"},
        {"LeakTrack", true, "2"},
        {"UseCrashRpt", true, ""},
        {"Gru\xDF", true, "Gr\xFC\xDF" "e"},
        {"absent", false, "preset"},
        {nullptr, false, "preset"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "null");
        CString value = "preset";
        EXPECT_EQ(GetJ3MachineParameter(c.name, value), c.present);
        EXPECT_EQ(value, c.value);
    }
}

TEST_F(J3ParamsTest, HostPathsFollowTheDriveMapping)
{
    Configure("[drives]\nC = " + m_dir.file("c") + "\n");
    CString error;
    EXPECT_EQ(GetJ3HostPath("C:\\J3\\Log\\Br\xFC" "cke.log", error), m_dir.path() / "c/J3/Log/Brücke.log");
    EXPECT_TRUE(error.IsEmpty());
    EXPECT_EQ(GetJ3HostPath("D:\\x", error), std::filesystem::path());
    EXPECT_NE(error.Find("drive D: of"), -1) << error.GetString();
    EXPECT_EQ(GetJ3HostPath("C:\\..\\x", error), std::filesystem::path());
    EXPECT_NE(error.Find("leaves the folder"), -1) << error.GetString();
}

TEST_F(J3ParamsTest, AFailedReloadKeepsThePreviousConfiguration)
{
    Configure("[paths]\ndata = C:\\Gut\\\n");
    std::ofstream(m_dir.file("j3machine.ini")) << "[paths]\ndata\n";
    std::string error;
    EXPECT_FALSE(CJ3MachineConfig::ReloadCurrent(error));
    EXPECT_NE(error.find("j3machine.ini:2:"), std::string::npos) << error;
    EXPECT_EQ(GetJ3DataPath(0), CString("C:\\Gut\\"));
}

} // namespace
