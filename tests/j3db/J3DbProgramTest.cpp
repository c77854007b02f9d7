#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

using ::testing::HasSubstr;

namespace {

struct SRun {
    int code = -1;
    std::string out;
    std::string err;
};

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

    SRun Start(const std::string& args)
    {
        const std::string errFile = m_dir.file("err.txt");
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM J3_CONFIG='" +
                                    m_dir.file("j3machine.ini") + "' " + J3DB_PROGRAM + " " + args + " 2>'" +
                                    errFile + "'";
        SRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) {
            ADD_FAILURE() << "cannot start " << command;
            return run;
        }
        std::array<char, 256> buffer{};
        while (std::fgets(buffer.data(), buffer.size(), pipe))
            run.out += buffer.data();
        const int status = pclose(pipe);
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream errStream(errFile);
        run.err.assign(std::istreambuf_iterator<char>(errStream), {});
        return run;
    }

    std::string Database() const { return "--db '" + m_dir.file("praxis.j3db") + "'"; }

    j3test::TempDir m_dir;
};

TEST_F(J3DbProgramTest, RunsWithoutADisplayAndEndsWithTheToolsExitCode)
{
    const SRun missing = Start(Database() + " ls 'D:\\Praxis\\Daten'");
    EXPECT_EQ(missing.code, 1);
    EXPECT_THAT(missing.err, HasSubstr("j3db init"));

    const SRun created = Start(Database() + " init --sample");
    ASSERT_EQ(created.code, 0) << created.err;

    const SRun listed = Start(Database() + " ls 'D:\\Praxis\\Daten'");
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_FALSE(listed.out.empty());

    const SRun put = Start(Database() + " param set 269 savewps001 1");
    EXPECT_EQ(put.code, 0) << put.err;
    const SRun got = Start(Database() + " param get 269 savewps001");
    EXPECT_EQ(got.code, 0) << got.err;
    EXPECT_EQ(got.out, "1\n");

    const SRun wrong = Start(Database() + " frobnicate");
    EXPECT_EQ(wrong.code, 2);
    EXPECT_THAT(wrong.err, HasSubstr("j3db --help"));
}

} // namespace
