#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using ::testing::HasSubstr;

namespace {

// The installed program as a person runs it: its own process, no display and
// a machine configuration of its own, so the user's configuration is unused.
class J3DbProgramTest : public ::testing::Test {
protected:
    J3DbProgramTest()
    {
        std::ofstream(m_dir.file("j3machine.ini")) << "[paths]\ndata = D:\\Praxis\\Daten\\\nqa = D:\\Praxis\\QA\\\n"
                                                   << "log = D:\\Log\\\ntemp = D:\\Temp\\\n"
                                                   << "[drives]\nD = " << m_dir.path().string() << "\n";
    }

    std::string CommandLine(const std::string& args) const
    {
        return "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR J3_CONFIG='" +
               m_dir.file("j3machine.ini") + "' " + J3DB_PROGRAM + " --db '" + m_dir.file("praxis.j3db") + "' " + args;
    }
    // prefix: what runs the program ("setpriv ..." to run it as another user).
    j3test::SProgramRun Start(const std::string& args, const std::string& prefix = "")
    {
        return j3test::RunProgram(prefix + CommandLine(args), m_dir.path().string());
    }
    // Started without waiting; the output is dropped.
    pid_t Launch(const std::string& args) const
    {
        const pid_t child = fork();
        if (child == 0) {
            execl("/bin/sh", "sh", "-c", ("exec " + CommandLine(args) + " >/dev/null 2>&1").c_str(), nullptr);
            _exit(127);
        }
        return child;
    }
    static int ExitCode(pid_t child)
    {
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    j3test::TempDir m_dir;
};

TEST_F(J3DbProgramTest, RunsWithoutADisplayAndFailsWhenItsOutputCannotBeWritten)
{
    ASSERT_EQ(Start("init --sample").code, 0);
    const j3test::SProgramRun listed = Start("ls 'D:\\Praxis\\Daten'");
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(listed.err, "");
    EXPECT_THAT(listed.out, HasSubstr("Briefe\\"));
    EXPECT_EQ(Start("frobnicate").code, 2);
    for (const char* command : {"ls 'D:\\Praxis\\Daten'", "param ls", "param get 269 indexmrk00",
                                "get 'D:\\Praxis\\Daten\\Druckvorlagen\\Rechnung.txt'"}) {
        SCOPED_TRACE(command);
        const j3test::SProgramRun full = Start(std::string(command) + " >/dev/full");
        EXPECT_EQ(full.code, 1);
        EXPECT_THAT(full.err, HasSubstr("Die Ausgabe kann nicht geschrieben werden"));
    }
}

TEST_F(J3DbProgramTest, AFaultyConfigurationIsReportedOnceAndStops)
{
    std::ofstream(m_dir.file("j3machine.ini")) << "[paths]\ndata = kein Windows-Pfad\n";
    const j3test::SProgramRun run = Start("init");
    EXPECT_EQ(run.code, 1);
    EXPECT_THAT(run.err, HasSubstr("j3db: " + m_dir.file("j3machine.ini") + ":2: data must be an absolute Windows path"));
    EXPECT_EQ(run.err.find("data must be"), run.err.rfind("data must be"));
    EXPECT_THAT(run.err, ::testing::Not(HasSubstr("defaults")));
}

TEST_F(J3DbProgramTest, WorkstationsSettingTheSameNewKeyAtOnceAllSucceed)
{
    ASSERT_EQ(Start("init").code, 0);
    for (int round = 0; round < 5; ++round) {
        std::vector<pid_t> writers;
        for (int writer = 0; writer < 6; ++writer)
            writers.push_back(Launch("param set 269 neu" + std::to_string(round) + " " + std::to_string(writer)));
        for (pid_t writer : writers)
            EXPECT_EQ(ExitCode(writer), 0) << "round " << round;
    }
    EXPECT_THAT(Start("param ls 269").out, ::testing::MatchesRegex("(269\tneu[0-4]\t[0-5]\n){5}"));
}

// Terminated, init removes its scratch folder itself; killed, it leaves it
// to the next run.
TEST_F(J3DbProgramTest, AKilledInitLeavesNothingOrTheWholePractice)
{
    const auto scratchFolders = [&] {
        return std::count_if(std::filesystem::directory_iterator(m_dir.path()), {}, [](const auto& entry) {
            return entry.path().filename().string().starts_with(".praxis.j3db.neu-");
        });
    };
    std::mt19937 random(12);
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        const pid_t init = Launch("init --sample");
        usleep(std::uniform_int_distribution<useconds_t>(0, 400000)(random));
        kill(init, round % 2 ? SIGTERM : SIGKILL);
        ExitCode(init);
        EXPECT_TRUE(round % 2 == 0 || scratchFolders() == 0);
        if (std::filesystem::exists(m_dir.file("praxis.j3db"))) {
            const j3test::SProgramRun listed = Start("ls 'D:\\Praxis\\QA\\Hygiene\\Geräte'");
            EXPECT_EQ(listed.out, "Autoklav.txt\n") << listed.err;
        }
        std::filesystem::remove(m_dir.file("praxis.j3db"));
        EXPECT_EQ(Start("init --sample").code, 0);
        EXPECT_EQ(scratchFolders(), 0);
        std::filesystem::remove(m_dir.file("praxis.j3db"));
    }
}

TEST_F(J3DbProgramTest, ADatabaseInAReadOnlyFolderCanBeReadButNotWritten)
{
    ASSERT_EQ(Start("init --sample").code, 0);
    std::filesystem::permissions(m_dir.path(), std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
    // File permissions hold for a person, not for root.
    const std::string person = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    // The practice database is its owner's alone, until the owner shares it.
    if (!person.empty()) {
        EXPECT_THAT(Start("param ls", person).err, HasSubstr("darf dieser Benutzer nicht lesen"));
    }
    std::filesystem::permissions(m_dir.file("praxis.j3db"), std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::add);
    const j3test::SProgramRun listed = Start("ls 'D:\\Praxis\\QA\\Hygiene\\Geräte'", person);
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(listed.out, "Autoklav.txt\n");
    const j3test::SProgramRun written = Start("param set 1 k v", person);
    EXPECT_EQ(written.code, 1);
    EXPECT_THAT(written.err, HasSubstr("schreibgeschützt"));
    EXPECT_THAT(written.err, ::testing::Not(HasSubstr("beschädigt")));
}

} // namespace
