#include "WPFJ3DialogFixture.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "dbdll/JProgPool.h"
#include "dbdll/PracticeDatabase.h"
#include "msgbox/BoxAnswerer.h"
#include "support/GuiApplication.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::function<void()> s_statementHook;

void CallStatementHook(sqlite3_context* context, int, sqlite3_value**)
{
    if (s_statementHook)
        s_statementHook();
    sqlite3_result_null(context);
}

int s_nTrigger = 0;

void CreateTrigger(const char* event, const char* table, const char* condition, const std::string& action)
{
    const std::string sql = "CREATE TEMP TRIGGER test_trigger_" + std::to_string(++s_nTrigger) + " BEFORE " + event +
                            " ON main." + table + " WHEN " + condition + " BEGIN " + action + "; END;";
    ASSERT_TRUE(dbDatabase.ExecuteScript(sql.c_str())) << dbDatabase.GetLastError().GetString();
}

// The same on the server, where a trigger serves every session: it fires for
// this program's session only. Texts are bytea there; the condition's casts
// read them as Latin-1 text.
std::string SessionPid()
{
    CVKQuery session(dbDatabase, "SELECT pg_backend_pid()");
    return session.Next() ? std::to_string(session.ColumnInt64(0)) : "0";
}

void CreateServerTrigger(const char* event, const char* table, std::string condition, const std::string& body)
{
    const std::string pid = SessionPid();
    for (std::size_t at; (at = condition.find("CAST(")) != std::string::npos;) {
        condition.replace(at, 5, "convert_from(");
        condition.replace(condition.find(" AS TEXT)", at), 9, ", 'LATIN1')");
    }
    const std::string name = "test_trigger_" + pid + "_" + std::to_string(++s_nTrigger);
    const std::string sql = "CREATE FUNCTION " + name + "() RETURNS trigger LANGUAGE plpgsql AS $t$ BEGIN " + body +
                            "; IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; END $t$; CREATE TRIGGER " +
                            name + " BEFORE " + event + " ON " + table + " FOR EACH ROW WHEN (pg_backend_pid() = " +
                            pid + " AND " + condition + ") EXECUTE FUNCTION " + name + "()";
    ASSERT_TRUE(dbDatabase.ExecuteScript(sql.c_str())) << dbDatabase.GetLastError().GetString();
}

// A hook on the server: the statement waits in its trigger for an advisory
// lock that a second session of the program holds; a thread that sees it
// waiting runs the hook, then lets the statement go on.
void HookOnServer()
{
    static CVKDatabase helper;
    ASSERT_TRUE(helper.Open(dbDatabase.GetFile())) << helper.GetLastError().GetString();
    ASSERT_TRUE(helper.ExecuteScript("SELECT pg_advisory_lock(4711)")) << helper.GetLastError().GetString();
    const std::string waiting =
        "SELECT 1 FROM pg_locks WHERE locktype = 'advisory' AND NOT granted AND pid = " + SessionPid();
    std::thread([waiting] {
        while (!CVKQuery(helper, waiting).Next())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        s_statementHook();
        helper.ExecuteScript("SELECT pg_advisory_unlock(4711)");
    }).detach();
}

} // namespace

void WPFJ3DialogFixture::SetUp()
{
    CreateDatabase();
    dbDatabase.Close();
}

pid_t WPFJ3DialogFixture::StartProgram(const SProgramUser& who, const std::function<void()>& body)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t program = fork();
    if (program != 0)
        return program;
    // Failures of the test before the program started are not the program's.
    const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
    const int partsBefore = result.total_part_count();
    dbLfdWorkstation = who.workstation;
    dbPId = who.user;
    CString error;
    if (CPracticeDatabase::Open(File(), error)) {
        j3test::GuiApplication::Instance();
        CBoxAnswerer boxes;
        body();
        CPracticeDatabase::Close();
    } else {
        ADD_FAILURE() << "the program cannot open the database: " << error.GetString();
    }
    std::fflush(stdout);
    std::fflush(stderr);
    bool failed = false;
    for (int part = partsBefore; part < result.total_part_count(); ++part)
        failed = failed || result.GetTestPartResult(part).failed();
    _exit(failed ? 1 : 0);
}

int WPFJ3DialogFixture::WaitForProgram(pid_t program)
{
    int status = 0;
    EXPECT_EQ(waitpid(program, &status, 0), program);
    return status;
}

void WPFJ3DialogFixture::RunProgram(const SProgramUser& who, const std::function<void()>& body)
{
    const pid_t program = StartProgram(who, body);
    ASSERT_GT(program, 0);
    const int status = WaitForProgram(program);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the program on workstation " << who.workstation << " for user " << who.user << " failed";
}

void WPFJ3DialogFixture::WithDatabase(const std::function<void()>& work)
{
    CString error;
    ASSERT_TRUE(CPracticeDatabase::Open(File(), error)) << error.GetString();
    work();
    CPracticeDatabase::Close();
}

void WPFJ3DialogFixture::Execute(const char* sql)
{
    WithDatabase([&] { EXPECT_TRUE(dbDatabase.ExecuteScript(sql)) << dbDatabase.GetLastError().GetString(); });
}

bool WPFJ3DialogFixture::IsDatabaseIntact()
{
    bool intact = false;
    WithDatabase([&] { intact = dbDatabase.CheckIntegrity(); });
    return intact;
}

void WPFJ3DialogFixture::SetParameter(const std::string& number, const std::string& key, const std::string& value)
{
    WithDatabase([&] { WriteParameter(number, key, value); });
}

void WPFJ3DialogFixture::WriteParameter(const std::string& number, const std::string& key, const std::string& value)
{
    CJParPool pool(&dbDatabase, nullptr);
    pool.m_strNr = number;
    pool.m_strKey = key;
    const bool found = pool.GetByK1(0) == CVKRSet::FOUND;
    pool.m_strValue = value;
    EXPECT_TRUE(found ? pool.Rewrite("") : pool.Write("")) << key;
}

std::map<std::string, std::string> WPFJ3DialogFixture::Parameters(const std::string& number,
                                                                  const std::string& keyPrefix)
{
    std::map<std::string, std::string> records;
    WithDatabase([&] {
        CVKQuery query(dbDatabase,
                       "SELECT kuerzel, wert FROM parpool WHERE nr = ?1 AND substr(kuerzel, 1, length(?2)) = ?2");
        query.Bind(1, number).Bind(2, keyPrefix);
        while (query.Next())
            records.emplace(query.ColumnBytes(0), query.ColumnBytes(1));
        EXPECT_FALSE(query.Failed());
    });
    return records;
}

void WPFJ3DialogFixture::SetEInfoPermission(int permission)
{
    WithDatabase([&] { EXPECT_TRUE(CJProgPool::SetPermission(291, "eInfo", "", permission)); });
}

std::map<std::string, std::string> WPFJ3DialogFixture::StoredFiles(const std::string& folder)
{
    std::map<std::string, std::string> files;
    WithDatabase([&] {
        CDBFileStore store(dbDatabase);
        std::vector<std::string> folders = {folder};
        while (!folders.empty()) {
            const std::string current = folders.back();
            folders.pop_back();
            for (const SDBFileEntry& entry : store.Find(CString(current + "\\*"))) {
                if (entry.isDirectory) {
                    folders.push_back(entry.path.str());
                    continue;
                }
                CString content;
                EXPECT_TRUE(store.LoadFile(entry.path, content)) << entry.path.GetString();
                files.emplace(entry.path.str(), content.str());
            }
        }
    });
    return files;
}

void WPFJ3DialogFixture::StoreFile(const std::string& path, const std::string& content)
{
    WithDatabase([&] { EXPECT_TRUE(CDBFileStore(dbDatabase).SaveFile(CString(path), CString(content))) << path; });
}

void WPFJ3DialogFixture::HookStatement(const char* event, const char* table, const char* condition,
                                       std::function<void()> action)
{
    s_statementHook = std::move(action);
    if (j3test::OnServer()) {
        HookOnServer();
        CreateServerTrigger(event, table, condition,
                            "PERFORM pg_advisory_lock(4711); PERFORM pg_advisory_unlock(4711)");
        return;
    }
    ASSERT_EQ(sqlite3_create_function(dbDatabase.Handle(), "test_hook", 0, SQLITE_UTF8, nullptr, &CallStatementHook,
                                      nullptr, nullptr),
              SQLITE_OK);
    CreateTrigger(event, table, condition, "SELECT test_hook()");
}

void WPFJ3DialogFixture::FailStatement(const char* event, const char* table, const char* condition,
                                       const char* reason)
{
    if (j3test::OnServer())
        CreateServerTrigger(event, table, condition, std::string("RAISE EXCEPTION '") + reason + "'");
    else
        CreateTrigger(event, table, condition, std::string("SELECT RAISE(ABORT, '") + reason + "')");
}
