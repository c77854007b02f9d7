#include "vkdb/VKSQLiteConnection.h"

#include "vkdb/VKDatabase.h"
#include "vkdb/VKSQLiteStatement.h"
#include "vkdb/VKSortKeyFunction.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <system_error>

namespace {

// Read as unchanging: a folder nobody can write, and no log to replay.
bool IsUnchanging(const std::filesystem::path& file)
{
    std::error_code ignored;
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const std::uintmax_t logSize = std::filesystem::file_size(file.string() + "-wal", ignored);
    const bool noLog = logSize == 0 || logSize == static_cast<std::uintmax_t>(-1);
    return ::access(folder.c_str(), W_OK) != 0 && noLog && !std::filesystem::exists(file.string() + "-shm", ignored);
}

std::string UnchangingUri(const std::filesystem::path& file)
{
    std::error_code ignored;
    std::string uri = "file:";
    for (const char c : std::filesystem::absolute(file, ignored).string())
        uri += c == '%' ? "%25" : c == '?' ? "%3f" : c == '#' ? "%23" : std::string(1, c);
    return uri + "?immutable=1";
}

} // namespace

CVKSQLiteConnection::~CVKSQLiteConnection()
{
    // Statements are finalized by their owners first; _v2 waits for any left.
    sqlite3_close_v2(m_db);
}

bool CVKSQLiteConnection::Open(const std::filesystem::path& file, ESQLiteAccess access, int busyTimeoutMs)
{
    m_file = file;
    switch (access) {
    case ESQLiteAccess::Create:
        return OpenWith(file.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, busyTimeoutMs);
    case ESQLiteAccess::ReadWrite:
        return OpenWith(file.string(), SQLITE_OPEN_READWRITE, busyTimeoutMs);
    case ESQLiteAccess::ReadOnly:
        break;
    }
    // Asked after a plain open, so that a file that cannot be read at all
    // fails the same way in any folder.
    if (!OpenWith(file.string(), SQLITE_OPEN_READONLY, busyTimeoutMs))
        return false;
    if (!IsUnchanging(file))
        return true;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    return OpenWith(UnchangingUri(file), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, busyTimeoutMs);
}

bool CVKSQLiteConnection::OpenWith(const std::string& name, int flags, int busyTimeoutMs)
{
    m_openResult = sqlite3_open_v2(name.c_str(), &m_db, flags, nullptr);
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
    CVKStatement::EStep step = CVKStatement::EStep::Failed;
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

CVKConnection::EFault CVKSQLiteConnection::Fault() const
{
    switch (ErrorCode() & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return EFault::Locked;
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return CVKDatabase::IsWritableFile(m_file) ? EFault::Unopenable : EFault::NotWritable;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return EFault::NoDatabase;
    default:
        return EFault::Other;
    }
}

bool CVKSQLiteConnection::IsReadOnly() const
{
    return sqlite3_db_readonly(m_db, "main") == 1;
}

void CVKSQLiteConnection::RemoveFiles(const std::filesystem::path& file)
{
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix, ignored);
}

// SQLite locks with POSIX record locks: the bytes from 1 GiB in the file
// itself, and in WAL mode the writer, checkpoint and recovery bytes (120 to
// 122) of the side file "-shm". A lock of this process is not reported.
CString CVKSQLiteConnection::LockHolder() const
{
    struct SRange {
        std::string file;
        off_t start;
        off_t length;
    };
    for (const SRange& range : {SRange{m_file.string(), 0x40000000, 512}, SRange{m_file.string() + "-shm", 120, 3}}) {
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
