#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

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

    j3test::SProgramRun Start(const std::string& args)
    {
        return j3test::RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM J3_CONFIG='" +
                                      m_dir.file("j3machine.ini") + "' " + J3DB_PROGRAM + " " + args,
                                  m_dir.path().string());
    }

    std::string Database() const { return "--db '" + m_dir.file("praxis.j3db") + "'"; }

    j3test::TempDir m_dir;
};

TEST_F(J3DbProgramTest, RunsWithoutADisplayAndEndsWithTheToolsExitCode)
{
    const j3test::SProgramRun missing = Start(Database() + " ls 'D:\\Praxis\\Daten'");
    EXPECT_EQ(missing.code, 1);
    EXPECT_THAT(missing.err, HasSubstr("j3db init"));

    const j3test::SProgramRun created = Start(Database() + " init --sample");
    ASSERT_EQ(created.code, 0) << created.err;

    const j3test::SProgramRun listed = Start(Database() + " ls 'D:\\Praxis\\Daten'");
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_FALSE(listed.out.empty());

    const j3test::SProgramRun put = Start(Database() + " param set 269 savewps001 1");
    EXPECT_EQ(put.code, 0) << put.err;
    const j3test::SProgramRun got = Start(Database() + " param get 269 savewps001");
    EXPECT_EQ(got.code, 0) << got.err;
    EXPECT_EQ(got.out, "1\n");

    const j3test::SProgramRun wrong = Start(Database() + " frobnicate");
    EXPECT_EQ(wrong.code, 2);
    EXPECT_THAT(wrong.err, HasSubstr("j3db --help"));
}

} // namespace
