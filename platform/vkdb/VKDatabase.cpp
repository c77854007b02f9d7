#include "vkdb/VKDatabase.h"

#include "vkbasis/CVKSysBase.h"

#include "vkdb/VKQuery.h"
#include "vkdb/VKSchema.h"
#include "vkdb/VKSortKeyFunction.h"

#include <sqlite3.h>

#include <system_error>

CVKDatabase dbDatabase;
CVKDatabase dbDatabaseRO;

namespace {

CString HostText(const std::filesystem::path& file)
{
    return CString(file.string());
}

} // namespace

CVKDatabase::CVKDatabase() = default;

CVKDatabase::~CVKDatabase()
{
    Close();
}

bool CVKDatabase::Fail(const CString& context, int sqliteResult)
{
    m_lastError = context;
    if (sqliteResult != 0) {
        m_lastError += ": ";
        m_lastError += m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(sqliteResult);
        if (sqliteResult == SQLITE_BUSY || sqliteResult == SQLITE_LOCKED)
            m_lastError += " (die Datenbank ist von einer anderen Arbeitsstation gesperrt)";
        // Faults of the database itself go to the program's database error
        // log; refusals of bad input or missing files are the caller's to show.
        if (gp_VKSysBase)
            gp_VKSysBase->DoDBError(m_lastError + gp_VKSysBase->DBErrorString());
    }
    return false;
}

bool CVKDatabase::OpenConnection(const std::filesystem::path& hostFile, int flags)
{
    Close();
    m_file = hostFile;
    const int rc = sqlite3_open_v2(hostFile.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        Fail("Die Datenbank " + HostText(hostFile) + " kann nicht ge\xF6" "ffnet werden", rc);
        Close();
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, DefaultBusyTimeoutMs);
    if (!CVKSortKeyFunction::Register(m_db)) {
        Fail("Die Sortierfunktion der Datenbank kann nicht angemeldet werden");
        Close();
        return false;
    }
    return true;
}

bool CVKDatabase::Open(const std::filesystem::path& hostFile, EOpenMode mode)
{
    std::error_code ignored;
    if (!std::filesystem::exists(hostFile, ignored)) {
        Close();
        return Fail("Die Datenbank " + HostText(hostFile) +
                    " existiert nicht. Eine neue legt \"j3db init " + HostText(hostFile) + "\" an.");
    }
    const bool readOnly = mode == EOpenMode::ReadOnly;
    if (!OpenConnection(hostFile, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE))
        return false;
    m_readOnly = readOnly;
    if (!CheckAndMigrate()) {
        const CString reason = m_lastError;
        Close();
        m_lastError = reason;
        return false;
    }
    return true;
}

bool CVKDatabase::Create(const std::filesystem::path& hostFile)
{
    std::error_code ignored;
    if (std::filesystem::exists(hostFile, ignored)) {
        Close();
        return Fail("Die Datei " + HostText(hostFile) + " existiert bereits; sie wird nicht \xFC" "berschrieben.");
    }
    const bool created = OpenConnection(hostFile, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) &&
                         ExecuteScript("PRAGMA page_size=4096; PRAGMA journal_mode=WAL;") &&
                         CVKSchema::MigrateTo(*this, CVKSchema::CurrentVersion());
    if (!created) {
        const CString reason = m_lastError;
        Close();
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(hostFile.string() + suffix, ignored);
        m_lastError = reason;
        return false;
    }
    m_readOnly = false;
    return true;
}

bool CVKDatabase::CheckAndMigrate()
{
    const CString name = HostText(m_file);
    std::int64_t applicationId = 0;
    std::int64_t version = 0;
    std::int64_t objects = 0;
    {
        // Reading the header and the schema finds files that are no SQLite
        // database or whose first pages are damaged.
        CVKQuery query(*this, "SELECT (SELECT application_id FROM pragma_application_id), "
                              "(SELECT user_version FROM pragma_user_version), "
                              "(SELECT count(*) FROM sqlite_schema)");
        if (!query.Next())
            return Fail("Die Datei " + name + " ist keine lesbare Datenbank (besch\xE4" "digt oder kein SQLite-Format): " +
                        m_lastError);
        applicationId = query.ColumnInt64(0);
        version = query.ColumnInt64(1);
        objects = query.ColumnInt64(2);
    }
    if (applicationId != CVKSchema::ApplicationId) {
        CString text = "Die Datei " + name + " ist keine J3-Praxisdatenbank";
        if (applicationId == 0 && objects == 0)
            text += " (sie ist leer); eine neue legt \"j3db init\" an";
        return Fail(text + ".");
    }
    const int current = CVKSchema::CurrentVersion();
    if (version > current) {
        CString text;
        text.Format("Die Datenbank %s hat die Schemaversion %d; dieses Programm kennt nur bis %d. "
                    "Bitte das Programm aktualisieren.",
                    name.GetString(), static_cast<int>(version), current);
        return Fail(text);
    }
    if (version < current) {
        if (m_readOnly) {
            CString text;
            text.Format("Die Datenbank %s hat die \xE4ltere Schemaversion %d und muss erst schreibend ge\xF6" "ffnet "
                        "werden, damit sie auf %d umgestellt wird.",
                        name.GetString(), static_cast<int>(version), current);
            return Fail(text);
        }
        if (!CVKSchema::MigrateTo(*this, current))
            return Fail("Die Datenbank " + name + " kann nicht umgestellt werden: " + m_lastError);
    }
    return true;
}

void CVKDatabase::FinalizeStatements()
{
    for (auto& [sql, statements] : m_idleStatements)
        for (sqlite3_stmt* statement : statements)
            sqlite3_finalize(statement);
    m_idleStatements.clear();
}

void CVKDatabase::Close()
{
    FinalizeStatements();
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_readOnly = false;
}

int CVKDatabase::GetSchemaVersion()
{
    if (!m_db)
        return 0;
    CVKQuery query(*this, "PRAGMA user_version");
    return query.Next() ? static_cast<int>(query.ColumnInt64(0)) : 0;
}

void CVKDatabase::SetBusyTimeout(int milliseconds)
{
    if (m_db)
        sqlite3_busy_timeout(m_db, milliseconds);
}

bool CVKDatabase::CheckIntegrity()
{
    CVKQuery query(*this, "PRAGMA integrity_check");
    CString findings;
    while (query.Next()) {
        const CString line = query.ColumnText(0);
        if (line != "ok")
            findings += line + "\n";
    }
    if (query.Failed())
        return Fail("Die Datenbank " + HostText(m_file) + " ist besch\xE4" "digt oder nicht pr\xFC" "fbar: " + m_lastError);
    if (!findings.IsEmpty())
        return Fail("Die Datenbank " + HostText(m_file) + " ist besch\xE4" "digt:\n" + findings);
    return true;
}

bool CVKDatabase::ExecuteScript(const char* sql)
{
    if (!m_db)
        return Fail("Keine Datenbank ge\xF6" "ffnet");
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    return rc == SQLITE_OK || Fail(CString("Fehler bei \"") + sql + "\"", rc);
}

sqlite3_stmt* CVKDatabase::BorrowStatement(const std::string& sql)
{
    if (!m_db) {
        Fail("Keine Datenbank ge\xF6" "ffnet");
        return nullptr;
    }
    if (auto idle = m_idleStatements.find(sql); idle != m_idleStatements.end() && !idle->second.empty()) {
        sqlite3_stmt* statement = idle->second.back();
        idle->second.pop_back();
        return statement;
    }
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                      &statement, nullptr);
    if (rc != SQLITE_OK) {
        Fail(CString("Fehler in \"") + sql + "\"", rc);
        return nullptr;
    }
    return statement;
}

void CVKDatabase::ReturnStatement(const std::string& sql, sqlite3_stmt* statement)
{
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    m_idleStatements[sql].push_back(statement);
}
