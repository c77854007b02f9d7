#include "PracticeDb.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/J3TempDir.h"
#include "vkdb/DBFileFunctions.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"

#include <sys/wait.h>
#include <unistd.h>
#include <vector>

TEST_F(PracticeDb, OpensTheConfiguredDatabaseWithTheConfiguredIdentity)
{
    CPracticeDatabase::Close();
    const j3test::TempDir folder;
    const auto location = j3test::NewPracticeDatabase(folder);
    Configure(location);
    CString error;
    EXPECT_FALSE(CPracticeDatabase::Open(error));
    EXPECT_GE(error.Find("j3db init"), 0) << error.GetString();
    EXPECT_FALSE(dbDatabase.IsOpen());
    EXPECT_FALSE(dbDatabaseRO.IsOpen());

    ASSERT_TRUE(CVKDatabase().Create(location));
    ASSERT_TRUE(CPracticeDatabase::Open(error)) << error.GetString();
    EXPECT_FALSE(dbDatabase.IsReadOnly());
    EXPECT_TRUE(dbDatabaseRO.IsReadOnly());
    const std::vector<CString> identity = {dbLfdWorkstation, dbPId,  dbProgId, dbLfdInstanz,
                                           dbPraxisId,       dbMdId, dbTaskId};
    EXPECT_EQ(identity, (std::vector<CString>{"7", "22", "AB", "3", "P1", "1", "12345"}));
    EXPECT_EQ(GetJ3TempDir(), "D:\\Tmp\\");

    // An unreachable server is named with the setting that chose it.
    CPracticeDatabase::Close();
    Configure("host=127.0.0.1 port=1 dbname=praxis user=j3");
    EXPECT_FALSE(CPracticeDatabase::Open(error));
    for (const char* part : {"Der Datenbankserver user=j3 dbname=praxis host=127.0.0.1 port=1 ist nicht erreichbar",
                             "j3machine.ini, Zeile 2 ([database] url)"})
        EXPECT_GE(error.Find(part), 0) << error.GetString();
}

namespace {

// Reads a number and stores the next, as dialog numbers are handed out.
bool CountUp()
{
    CVKTransaction transaction(dbDatabase);
    const auto counter = ParPool(dbDatabase, "269", "zaehler");
    const bool found = counter->GetByK1(0) == CVKRSet::FOUND;
    counter->m_strValue = CString(std::to_string(found ? std::stoi(counter->m_strValue.str()) + 1 : 1));
    return (found ? counter->Rewrite("") : counter->Write("")) && transaction.Commit();
}

// The parameter and the file that write i of a station leaves.
CString KeyOf(int station, int i)
{
    CString key;
    key.Format("w%d-%03d", station, i);
    return key;
}

CString FileOf(int station, int i)
{
    CString path;
    path.Format("C:\\station%d\\%03d.txt", station, i);
    return path;
}

} // namespace

// Two workstations (processes) write the parameter pool and the file store at
// the same time; every write must arrive, and no number is handed out twice.
TEST_F(PracticeDb, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int Writes = 120;
    CPracticeDatabase::Close();
    std::vector<pid_t> children;
    for (int station = 1; station <= 2; ++station) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CString error;
            if (!CPracticeDatabase::Open(Location(), error))
                _exit(2);
            for (int i = 0; i < Writes; ++i) {
                const auto pool = ParPool(dbDatabase, "269", KeyOf(station, i));
                pool->m_strValue.Format("%d", i);
                if (!pool->Write("") || !SaveTextFileDB(FileOf(station, i), pool->m_strKey) ||
                    !SaveTextFileDB("C:\\gemeinsam.txt", pool->m_strKey) || !CountUp())
                    _exit(3);
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer ended with status " << status;
    }

    CString error;
    ASSERT_TRUE(CPracticeDatabase::Open(Location(), error)) << error.GetString();
    for (int station = 1; station <= 2; ++station)
        for (int i = 0; i < Writes; i += Writes - 1) {
            CString content;
            EXPECT_EQ(StoredValue("269", KeyOf(station, i)), CString(std::to_string(i)));
            EXPECT_TRUE(LoadTextFileDB(FileOf(station, i), content) && content == KeyOf(station, i));
        }
    CVKQuery counts(dbDatabase, "SELECT (SELECT count(*) FROM parpool), (SELECT count(*) FROM files)");
    ASSERT_TRUE(counts.Next());
    EXPECT_EQ(counts.ColumnInt64(0), 2 * Writes + 1) << "a parameter was lost";
    EXPECT_EQ(counts.ColumnInt64(1), 2 * Writes + 1) << "a file was lost";
    EXPECT_EQ(StoredValue("269", "zaehler"), CString(std::to_string(2 * Writes))) << "an increment was lost";
    CString last;
    ASSERT_TRUE(LoadTextFileDB("C:\\gemeinsam.txt", last));
    EXPECT_TRUE(last == "w1-119" || last == "w2-119") << last.GetString();
}
