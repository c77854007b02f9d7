#include "vkdb/VKDatabase.h"

#include "vkbasis/CVKSysBase.h"

#include "vkdb/VKQuery.h"
#include "vkdb/VKSchema.h"
#include "vkdb/VKSortKeyFunction.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <system_error>

CVKDatabase dbDatabase;
CVKDatabase dbDatabaseRO;

namespace {

CString HostText(const std::filesystem::path& file)
{
    return CString(file.string());
}

// The process that holds a lock on the database, as "Prozess 1234 (j3db)";
// empty when none can be named (also when it is this process). SQLite locks
// with POSIX record locks: the bytes from 1 GiB in the file itself, and in
// WAL mode the writer, checkpoint and recovery bytes (120 to 122) of the
// side file "-shm".
CString LockHolder(const std::filesystem::path& file)
{
    struct SRange {
        std::string file;
        off_t start;
        off_t length;
    };
    for (const SRange& range : {SRange{file.string(), 0x40000000, 512}, SRange{file.string() + "-shm", 120, 3}}) {
        const int fd = ::open(range.file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = range.start;
        lock.l_len = range.length;
        const bool asked = ::fcntl(fd, F_GETLK, &lock) == 0;
        ::close(fd);
        if (!asked || lock.l_type == F_UNLCK)
            continue;
        std::ifstream comm("/proc/" + std::to_string(lock.l_pid) + "/comm");
        std::string name;
        std::getline(comm, name);
        return CString("Prozess " + std::to_string(lock.l_pid) + (name.empty() ? "" : " (" + name + ")"));
    }
    return CString();
}

bool CanWrite(const std::filesystem::path& path)
{
    return ::access(path.c_str(), W_OK) == 0;
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
    m_lastResult = sqliteResult;
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
    if (!readOnly && sqlite3_db_readonly(m_db, "main") == 1) {
        Close();
        return Fail("Die Datenbank " + HostText(hostFile) + " ist schreibgesch\xFCtzt; sie kann nur gelesen werden.");
    }
    // In a folder that cannot be written SQLite cannot create the side files
    // of its write-ahead log. Nobody can write there either, so a reader may
    // take the file as unchanging, as long as no log is left to replay.
    const std::filesystem::path folder = hostFile.has_parent_path() ? hostFile.parent_path() : ".";
    const std::uintmax_t logSize = std::filesystem::file_size(hostFile.string() + "-wal", ignored);
    const bool noLog = logSize == 0 || logSize == static_cast<std::uintmax_t>(-1);
    if (readOnly && !CanWrite(folder) && noLog && !std::filesystem::exists(hostFile.string() + "-shm", ignored)) {
        std::string uri = "file:";
        for (const char c : std::filesystem::absolute(hostFile, ignored).string())
            uri += c == '%' ? "%25" : c == '?' ? "%3f" : c == '#' ? "%23" : std::string(1, c);
        uri += "?immutable=1";
        if (!OpenConnection(uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI))
            return false;
        m_file = hostFile;
        m_readOnly = true;
    }
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
            return Fail(DescribeUnreadable() + ": " + m_lastError);
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

CString CVKDatabase::DescribeUnreadable() const
{
    const CString name = HostText(m_file);
    switch (m_lastResult & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: {
        const CString holder = LockHolder(m_file);
        return "Die Datenbank " + name + " ist von einem anderen Programm gesperrt" +
               (holder.IsEmpty() ? CString() : " (" + holder + ")") + "; bitte sp\xE4ter noch einmal versuchen";
    }
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM: {
        const std::filesystem::path folder = m_file.has_parent_path() ? m_file.parent_path() : ".";
        if (!CanWrite(folder) || !CanWrite(m_file))
            return "Die Datenbank " + name + " liegt in einem schreibgesch\xFCtzten Ordner oder ist schreibgesch\xFCtzt; "
                   "sie kann nur gelesen werden";
        return "Die Datenbank " + name + " kann nicht ge\xF6" "ffnet werden";
    }
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return "Die Datei " + name + " ist keine lesbare Datenbank (besch\xE4" "digt oder kein SQLite-Format)";
    default:
        return "Die Datenbank " + name + " kann nicht gelesen werden";
    }
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
