#include "J3WinAppFixture.h"

#include "J3Dialoge/J3WinApp.h"
#include "dbdll/DBIdentity.h"
#include "dbdll/JBeh.h"
#include "dbdll/PracticeDatabase.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"

#include <csignal>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Deleting treatment records in a program of the suite, with the deletion
// protocol switched by the machine configuration.
class DeleteProtocolTest : public J3WinAppFixture {
protected:
    // Configures the switch, creates the practice database with the
    // treatments of patients 1 to `treatments` and opens it as a program does.
    void OpenPractice(std::optional<std::string> protocolSwitch, int treatments = 3)
    {
        std::map<std::string, std::string> parameters;
        if (protocolSwitch)
            parameters["dbDeleteProtokoll"] = *protocolSwitch;
        Configure(parameters);
        CVKDatabase creator;
        ASSERT_TRUE(creator.Create(m_folder.path() / "praxis.j3db")) << creator.GetLastError().GetString();
        for (int patient = 1; patient <= treatments; ++patient) {
            CJBeh treatment(&creator, nullptr);
            treatment.m_strPatNr.Format("%10d", patient);
            treatment.m_strDatum = "20240301";
            treatment.m_strLeistung = "01";
            treatment.m_strText = "Untersuchung";
            ASSERT_TRUE(treatment.Write(""));
        }
        creator.Close();
        CString error;
        ASSERT_TRUE(CPracticeDatabase::Open(error)) << error.GetString();
    }

    void TearDown() override
    {
        CPracticeDatabase::Close();
        dbDeleteProtokoll = false;
        J3WinAppFixture::TearDown();
    }

    // The treatment of the patient, looked up on the connection.
    static std::unique_ptr<CJBeh> FindTreatment(CVKDatabase& database, int patient)
    {
        auto treatment = std::make_unique<CJBeh>(&database, nullptr);
        treatment->m_strPatNr.Format("%10d", patient);
        treatment->m_strDatum = "20240301";
        EXPECT_EQ(treatment->GetByK1(0), CVKRSet::FOUND) << patient;
        return treatment;
    }

    static int Count(const char* table)
    {
        CVKQuery query(dbDatabase, std::string("SELECT count(*) FROM ") + table);
        return query.Next() ? static_cast<int>(query.ColumnInt64(0)) : -1;
    }
};

struct SSwitchCase {
    const char* name;
    std::optional<std::string> value;
    int expectedEntries;
};

class DeleteProtocolSwitchTest : public DeleteProtocolTest, public ::testing::WithParamInterface<SSwitchCase> {};

TEST_P(DeleteProtocolSwitchTest, EachDeletedTreatmentLeavesOneEntryWhenSwitchedOn)
{
    OpenPractice(GetParam().value);
    CJ3WinApp program;
    for (int patient = 1; patient <= 3; ++patient)
        EXPECT_TRUE(FindTreatment(dbDatabase, patient)->Delete());
    EXPECT_EQ(Count("beh"), 0);
    EXPECT_EQ(Count("protokoll"), GetParam().expectedEntries);
}

INSTANTIATE_TEST_SUITE_P(MachineParameter, DeleteProtocolSwitchTest,
                         ::testing::Values(SSwitchCase{"Absent", std::nullopt, 0}, SSwitchCase{"On", "1", 3},
                                           SSwitchCase{"Off", "0", 0}, SSwitchCase{"Yes", "yes", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeleteProtocolTest, LostRaceLeavesNoSecondEntry)
{
    OpenPractice("1", 1);
    CJ3WinApp program;
    CVKDatabase otherWorkstation;
    ASSERT_TRUE(otherWorkstation.Open(m_folder.path() / "praxis.j3db"));
    const auto mine = FindTreatment(dbDatabase, 1);
    const auto theirs = FindTreatment(otherWorkstation, 1);
    EXPECT_TRUE(theirs->Delete());
    EXPECT_FALSE(mine->Delete());
    EXPECT_EQ(Count("protokoll"), 1);
    otherWorkstation.Close();
}

// Services that let the process be killed right after the protocol entry
// was written, before the deletion is committed.
class CDyingServices : public CJ3SysBase {
public:
    void DeleteProtokoll(const CVKRSet* recordSet) override
    {
        CJ3SysBase::DeleteProtokoll(recordSet);
        raise(SIGKILL);
    }
};

struct SKillCase {
    const char* name;
    bool killedBeforeCommit;
    int expectedTreatments;
    int expectedEntries;
};

class DeleteProtocolKillTest : public DeleteProtocolTest, public ::testing::WithParamInterface<SKillCase> {};

TEST_P(DeleteProtocolKillTest, KilledProgramLeavesDeletionAndEntryTogether)
{
    OpenPractice("1", 1);
    CPracticeDatabase::Close();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CString error;
        CDyingServices dying;
        CJ3SysBase services;
        gp_VKSysBase = GetParam().killedBeforeCommit ? &dying : &services;
        if (!CPracticeDatabase::Open(error))
            _exit(2);
        FindTreatment(dbDatabase, 1)->Delete();
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the program stopped by itself with " << WEXITSTATUS(status);
    CString error;
    ASSERT_TRUE(CPracticeDatabase::Open(error)) << error.GetString();
    EXPECT_EQ(Count("beh"), GetParam().expectedTreatments);
    EXPECT_EQ(Count("protokoll"), GetParam().expectedEntries);
}

INSTANTIATE_TEST_SUITE_P(Moments, DeleteProtocolKillTest,
                         ::testing::Values(SKillCase{"BeforeCommit", true, 1, 0}, SKillCase{"AfterCommit", false, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
