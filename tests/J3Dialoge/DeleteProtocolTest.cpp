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

// Deleting treatment records with the deletion protocol switched by the
// machine configuration; the practice holds one treatment per patient 1 to 3.
class DeleteProtocolTest : public J3WinAppFixture {
protected:
    void OpenPractice(std::optional<std::string> protocolSwitch)
    {
        Configure(protocolSwitch ? std::map<std::string, std::string>{{"dbDeleteProtokoll", *protocolSwitch}}
                                 : std::map<std::string, std::string>{});
        CreateDatabase();
        for (int patient = 1; patient <= 3; ++patient) {
            CJBeh treatment(&dbDatabase, nullptr);
            treatment.m_strPatNr.Format("%10d", patient);
            treatment.m_strDatum = "20240301";
            ASSERT_TRUE(treatment.Write(""));
        }
        dbDatabase.Close();
        CString error;
        ASSERT_TRUE(CPracticeDatabase::Open(error)) << error.GetString();
    }
    void TearDown() override
    {
        CPracticeDatabase::Close();
        dbDeleteProtokoll = false;
        J3WinAppFixture::TearDown();
    }
    static bool DeleteTreatment(CVKDatabase& database, int patient)
    {
        CJBeh treatment(&database, nullptr);
        treatment.m_strPatNr.Format("%10d", patient);
        treatment.m_strDatum = "20240301";
        return treatment.GetByK1(0) == CVKRSet::FOUND && treatment.Delete();
    }
    // Treatments left and protocol entries written.
    static std::pair<int, int> Counts()
    {
        CVKQuery query(dbDatabase, "SELECT (SELECT count(*) FROM beh), (SELECT count(*) FROM protokoll)");
        return query.Next() ? std::pair{int(query.ColumnInt64(0)), int(query.ColumnInt64(1))} : std::pair{-1, -1};
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
        EXPECT_TRUE(DeleteTreatment(dbDatabase, patient));
    EXPECT_EQ(Counts(), std::pair(0, GetParam().expectedEntries));
}

INSTANTIATE_TEST_SUITE_P(MachineParameter, DeleteProtocolSwitchTest,
                         ::testing::Values(SSwitchCase{"Absent", std::nullopt, 0}, SSwitchCase{"On", "1", 3},
                                           SSwitchCase{"Yes", "yes", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeleteProtocolTest, LostRaceLeavesNoSecondEntry)
{
    OpenPractice("1");
    CJ3WinApp program;
    CJBeh mine(&dbDatabase, nullptr);
    mine.m_strPatNr.Format("%10d", 1);
    mine.m_strDatum = "20240301";
    ASSERT_EQ(mine.GetByK1(0), CVKRSet::FOUND);
    CVKDatabase otherWorkstation;
    ASSERT_TRUE(otherWorkstation.Open(File()));
    EXPECT_TRUE(DeleteTreatment(otherWorkstation, 1));
    EXPECT_FALSE(mine.Delete());
    EXPECT_EQ(Counts(), std::pair(2, 1));
}

// Services of a program killed right after the protocol entry was written,
// before the deletion is committed.
class CDyingServices : public CJ3SysBase {
public:
    void DeleteProtokoll(const CVKRSet* recordSet) override
    {
        CJ3SysBase::DeleteProtokoll(recordSet);
        raise(SIGKILL);
    }
};

class DeleteProtocolKillTest : public DeleteProtocolTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DeleteProtocolKillTest, KilledProgramLeavesDeletionAndEntryTogether)
{
    const bool killedBeforeCommit = GetParam();
    OpenPractice("1");
    CPracticeDatabase::Close();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CDyingServices dying;
        CJ3SysBase services;
        gp_VKSysBase = killedBeforeCommit ? &dying : &services;
        CString error;
        if (CPracticeDatabase::Open(error))
            DeleteTreatment(dbDatabase, 1);
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    CString error;
    ASSERT_TRUE(CPracticeDatabase::Open(error)) << error.GetString();
    EXPECT_EQ(Counts(), killedBeforeCommit ? std::pair(3, 0) : std::pair(2, 1));
}

INSTANTIATE_TEST_SUITE_P(BeforeOrAfterCommit, DeleteProtocolKillTest, ::testing::Bool());

} // namespace
