#include "vkdb/VKSQLiteConnection.h"

#include "vkdb/VKSQLiteStatement.h"
#include "vkdb/VKSortKeyFunction.h"

#include <sqlite3.h>

CVKSQLiteConnection::~CVKSQLiteConnection()
{
    // Statements are finalized by their owners first; _v2 waits for any left.
    sqlite3_close_v2(m_db);
}

bool CVKSQLiteConnection::Open(const std::string& file, int flags, int busyTimeoutMs)
{
    m_openResult = sqlite3_open_v2(file.c_str(), &m_db, flags, nullptr);
    if (m_openResult != SQLITE_OK)
        return false;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    // Every connection needs j3key before it touches the schema: an index on
    // a function can only be used and kept up to date where it exists.
    m_openResult = CVKSortKeyFunction::Register(m_db) ? SQLITE_OK : SQLITE_ERROR;
    return m_openResult == SQLITE_OK;
}

std::unique_ptr<CVKStatement> CVKSQLiteConnection::Prepare(const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr) != SQLITE_OK)
        return nullptr;
    return std::make_unique<CVKSQLiteStatement>(statement);
}

bool CVKSQLiteConnection::Execute(const char* sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool CVKSQLiteConnection::InTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

bool CVKSQLiteConnection::BeginWrite()
{
    return Execute("BEGIN IMMEDIATE");
}

void CVKSQLiteConnection::SetBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_db, milliseconds);
}

bool CVKSQLiteConnection::ReadStamp(SStamp& stamp)
{
    // Reading the header and the schema finds files that are no SQLite
    // database or whose first pages are damaged.
    auto statement = Prepare("SELECT (SELECT application_id FROM pragma_application_id), "
                             "(SELECT user_version FROM pragma_user_version), (SELECT count(*) FROM sqlite_schema)");
    if (!statement || statement->Step() != CVKStatement::EStep::Row)
        return false;
    stamp = {statement->ColumnInt64(0), statement->ColumnInt64(1), statement->ColumnInt64(2)};
    return true;
}

bool CVKSQLiteConnection::WriteStamp(const SStamp& stamp)
{
    // PRAGMA takes no parameters; both values are numbers of this program.
    const std::string sql = "PRAGMA application_id=" + std::to_string(stamp.applicationId) +
                            "; PRAGMA user_version=" + std::to_string(stamp.version) + ";";
    return Execute(sql.c_str());
}

bool CVKSQLiteConnection::CheckIntegrity(CString& findings)
{
    auto statement = Prepare("PRAGMA integrity_check");
    if (!statement)
        return false;
    CVKStatement::EStep step;
    while ((step = statement->Step()) == CVKStatement::EStep::Row) {
        const CString line(statement->ColumnBytes(0));
        if (line != "ok")
            findings += line + "\n";
    }
    return step == CVKStatement::EStep::Done;
}

int CVKSQLiteConnection::ErrorCode() const
{
    if (m_openResult != SQLITE_OK || !m_db)
        return m_openResult;
    return sqlite3_extended_errcode(m_db);
}

CString CVKSQLiteConnection::ErrorText() const
{
    return m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(m_openResult);
}

bool CVKSQLiteConnection::ErrorIsLock() const
{
    const int code = ErrorCode() & 0xFF;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}
