#include "vkdb/VKDatabase.h"

#include "vkbasis/CVKSysBase.h"

#include "vkdb/VKPgConnection.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKSQLiteConnection.h"
#include "vkdb/VKSchema.h"
#include "vkdb/VKServerLocation.h"
#include "vkdb/VKStatement.h"
#include "vkdb/VKTransaction.h"
#include "winpath/AnsiLiteral.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <system_error>

CVKDatabase dbDatabase;
CVKDatabase dbDatabaseRO;

namespace {

constexpr const char* kListingIndex = "files_listing";
constexpr const char* kRestoreBackup = "Bitte die letzte Datensicherung zurückspielen."_ansi;

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

bool CVKDatabase::IsServerLocation(const std::filesystem::path& location)
{
    return CVKServerLocation::IsServerLocation(location.native());
}

bool CVKDatabase::IsWritableFile(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    return ::access(folder.c_str(), W_OK) == 0 && ::access(file.c_str(), W_OK) == 0;
}

CString CVKDatabase::Name() const
{
    return m_onServer ? CString(CVKServerLocation::Displayable(m_file.string())) : HostText(m_file);
}

sqlite3* CVKDatabase::Handle() const
{
    const CVKSQLiteConnection* file = FileConnection();
    return file ? file->Handle() : nullptr;
}

CVKSQLiteConnection* CVKDatabase::FileConnection() const
{
    return dynamic_cast<CVKSQLiteConnection*>(m_connection.get());
}

bool CVKDatabase::FailOnConnection(const CString& context)
{
    const int backendResult = m_connection ? m_connection->ErrorCode() : 0;
    if (backendResult == 0)
        return Fail(context);
    m_lastError = context;
    m_lastResult = backendResult;
    if (!context.IsEmpty())
        m_lastError += ": ";
    m_lastError += m_connection->ErrorText();
    if (m_connection->Fault() == CVKConnection::EFault::Locked)
        m_lastError += " (die Datenbank ist " + LockDescription() + ")";
    // Faults of the database itself go to the program's database error
    // log; refusals of bad input or missing files are the caller's to show.
    if (gp_VKSysBase)
        gp_VKSysBase->DoDBError(m_lastError + gp_VKSysBase->DBErrorString());
    return false;
}

bool CVKDatabase::Fail(const CString& context)
{
    m_lastError = context;
    m_lastResult = 0;
    return false;
}

bool CVKDatabase::OpenFile(const std::filesystem::path& hostFile, ESQLiteAccess access)
{
    Close();
    m_file = hostFile;
    auto connection = std::make_unique<CVKSQLiteConnection>();
    const bool opened = connection->Open(hostFile, access, DefaultBusyTimeoutMs);
    m_connection = std::move(connection);
    if (!opened) {
        // A file that cannot be opened is the caller's to show, with the
        // reason; the database itself did nothing wrong.
        m_lastResult = m_connection->ErrorCode();
        m_lastError = DescribeUnopenable(hostFile);
        Close();
    }
    return opened;
}

bool CVKDatabase::OpenServer(const std::string& url, bool readOnly)
{
    Close();
    m_file = url;
    m_onServer = true;
    auto connection = std::make_unique<CVKPgConnection>();
    const bool opened = connection->Open(url, readOnly, DefaultBusyTimeoutMs);
    m_connection = std::move(connection);
    if (!opened) {
        // The connection's text names the server and says what to do.
        FailOnConnection(CString());
        Close();
        return false;
    }
    m_readOnly = readOnly;
    return true;
}

bool CVKDatabase::Open(const std::filesystem::path& hostFile, EOpenMode mode)
{
    if (IsServerLocation(hostFile))
        return (OpenServer(hostFile.native(), mode == EOpenMode::ReadOnly) && CheckAndMigrate()) || CloseAfterFailure();
    std::error_code ignored;
    if (!std::filesystem::exists(hostFile, ignored)) {
        Close();
        return Fail("Die Datenbank " + HostText(hostFile) + " existiert nicht. Eine neue legt \"j3db init " +
                    HostText(hostFile) + "\" an.");
    }
    const bool readOnly = mode == EOpenMode::ReadOnly;
    if (!OpenFile(hostFile, readOnly ? ESQLiteAccess::ReadOnly : ESQLiteAccess::ReadWrite))
        return false;
    m_readOnly = readOnly;
    if (!readOnly && FileConnection()->IsReadOnly()) {
        Close();
        return Fail("Die Datenbank " + HostText(hostFile) + " ist schreibgeschützt; sie kann nur gelesen werden."_ansi);
    }
    return CheckAndMigrate() || CloseAfterFailure();
}

bool CVKDatabase::Create(const std::filesystem::path& hostFile, const std::function<bool()>& fill)
{
    if (IsServerLocation(hostFile))
        return CreateOnServer(hostFile.native(), fill) || CloseAfterFailure();
    std::error_code ignored;
    if (std::filesystem::exists(hostFile, ignored)) {
        Close();
        return Fail("Die Datei " + HostText(hostFile) + " existiert bereits; sie wird nicht überschrieben."_ansi);
    }
    const bool created = OpenFile(hostFile, ESQLiteAccess::Create) &&
                         ExecuteScript("PRAGMA page_size=4096; PRAGMA journal_mode=WAL;") && CreateSchema(fill);
    if (!created) {
        CloseAfterFailure();
        CVKSQLiteConnection::RemoveFiles(hostFile);
        return false;
    }
    m_readOnly = false;
    return true;
}

bool CVKDatabase::CreateOnServer(const std::string& url, const std::function<bool()>& fill)
{
    if (!OpenServer(url, false))
        return false;
    // Looked at under the practice's write lock: two creations of the same
    // schema cannot both find it empty.
    CVKTransaction whole(*this);
    CVKConnection::SStamp stamp;
    if (!whole.IsActive())
        return false;
    if (!m_connection->ReadStamp(stamp))
        return FailOnConnection("Die Datenbank " + Name() + " kann nicht gelesen werden");
    if (stamp.objects != 0)
        return Fail("In der Datenbank " + Name() + " gibt es schon Tabellen; sie wird nicht überschrieben."_ansi);
    return CreateSchema(fill) && whole.Commit();
}

bool CVKDatabase::CreateSchema(const std::function<bool()>& fill)
{
    CVKTransaction whole(*this);
    return whole.IsActive() && CVKSchema::MigrateTo(*this, CVKSchema::CurrentVersion()) && (!fill || fill()) &&
           whole.Commit();
}

bool CVKDatabase::CloseAfterFailure()
{
    const CString reason = m_lastError;
    Close();
    m_lastError = reason;
    return false;
}

bool CVKDatabase::CheckAndMigrate()
{
    const CString name = Name();
    CVKConnection::SStamp stamp;
    if (!m_connection->ReadStamp(stamp)) {
        m_lastResult = m_connection->ErrorCode();
        return Fail(DescribeUnreadable() + ".");
    }
    const std::int64_t applicationId = stamp.applicationId;
    const std::int64_t version = stamp.version;
    const std::int64_t objects = stamp.objects;
    if (applicationId != CVKSchema::ApplicationId) {
        CString text = (m_onServer ? "Die Datenbank " : "Die Datei ") + name + " ist keine J3-Praxisdatenbank";
        if (applicationId == 0 && objects == 0)
            text += " (sie ist leer); eine neue legt \"j3db init\" an";
        return Fail(text + ".");
    }
    const int current = CVKSchema::CurrentVersion();
    if (version == 0 && objects > 0)
        return Fail("Die Datenbank " + name +
                    " hat Tabellen, aber keine Schemaversion: ihr Kopf ist beschädigt. "_ansi + kRestoreBackup);
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
            text.Format("Die Datenbank %s hat die ältere Schemaversion %d und muss erst schreibend geöffnet "_ansi
                        "werden, damit sie auf %d umgestellt wird.",
                        name.GetString(), static_cast<int>(version), current);
            return Fail(text);
        }
        if (!CVKSchema::MigrateTo(*this, current)) {
            // The backend's reason, without the schema's statements.
            const CString reason = m_lastResult == 0 ? m_lastError
                                   : m_connection->Fault() == CVKConnection::EFault::Locked
                                       ? "sie ist " + LockDescription()
                                       : m_connection->ErrorText();
            return Fail("Die Datenbank " + name + " kann nicht umgestellt werden (" + reason +
                        "); sie bleibt, wie sie war.");
        }
    }
    return m_onServer || CheckTables();
}

bool CVKDatabase::CheckTables()
{
    std::set<std::string> names;
    {
        CVKQuery schema(*this, "SELECT name FROM sqlite_schema WHERE type IN ('table', 'index')");
        while (schema.Next())
            names.emplace(schema.ColumnBytes(0));
        if (schema.Failed())
            return Fail(DescribeUnreadable() + ".");
    }
    for (const char* const* table = CVKSchema::Tables(); *table; ++table) {
        if (!names.contains(*table))
            return Fail("In der Datenbank " + Name() + " fehlt die Tabelle " + *table + ": sie ist beschädigt. "_ansi +
                        kRestoreBackup);
    }
    m_missingIndexes.clear();
    if (!names.contains(kListingIndex))
        m_missingIndexes.emplace(kListingIndex);
    return true;
}

bool CVKDatabase::HasIndex(const std::string& index)
{
    if (!m_missingIndexes.contains(index))
        return true;
    if (m_reportedIndexes.insert(index).second && gp_VKSysBase)
        gp_VKSysBase->DoDBError("In der Datenbank " + Name() + " fehlt der Index " + index +
                                "; Verzeichnisse werden ohne ihn gelesen, langsamer. " + kRestoreBackup +
                                gp_VKSysBase->DBErrorString());
    return false;
}

CString CVKDatabase::LockDescription() const
{
    const CString holder = m_connection ? m_connection->LockHolder() : CString();
    if (holder.IsEmpty())
        return "von einem anderen Programm oder einer anderen Arbeitsstation gesperrt";
    return "von " + holder + " auf diesem Rechner gesperrt";
}

CString CVKDatabase::DescribeUnopenable(const std::filesystem::path& hostFile) const
{
    const CString name = HostText(hostFile);
    struct stat status {};
    if (::stat(hostFile.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return "Die Datenbank " + name + " ist ein Ordner, keine Datei";
    const int fd = ::open(hostFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    const int reason = fd < 0 ? errno : 0;
    if (fd >= 0)
        ::close(fd);
    if (reason == EACCES || reason == EPERM)
        return "Die Datenbank " + name + " darf dieser Benutzer nicht lesen; die Rechte zeigt \"ls -l " + name +
               "\", der Besitzer der Datei kann sie freigeben";
    return "Die Datenbank " + name + " kann nicht geöffnet werden"_ansi +
           (reason != 0 ? CString(": ") + std::strerror(reason) : CString());
}

CString CVKDatabase::DescribeUnreadable() const
{
    const CString name = Name();
    switch (m_connection ? m_connection->Fault() : CVKConnection::EFault::Other) {
    case CVKConnection::EFault::Locked:
        return "Die Datenbank " + name + " ist " + LockDescription() + "; bitte später noch einmal versuchen"_ansi;
    case CVKConnection::EFault::NotWritable:
        return "Die Datenbank " + name +
               " liegt in einem schreibgeschützten Ordner oder ist schreibgeschützt; "_ansi
               "sie kann nur gelesen werden";
    case CVKConnection::EFault::Unopenable:
        return DescribeUnopenable(m_file);
    case CVKConnection::EFault::NoDatabase:
        return "Die Datei " + name + " ist keine lesbare Datenbank (beschädigt oder kein SQLite-Format)"_ansi;
    case CVKConnection::EFault::Other:
        break;
    }
    return "Die Datenbank " + name + " kann nicht gelesen werden";
}

void CVKDatabase::Close()
{
    // Statements go before the session they belong to.
    m_idleStatements.clear();
    m_missingIndexes.clear();
    m_connection.reset();
    m_readOnly = false;
    m_onServer = false;
    ++m_generation;
}

int CVKDatabase::GetSchemaVersion()
{
    CVKConnection::SStamp stamp;
    return m_connection && m_connection->ReadStamp(stamp) ? static_cast<int>(stamp.version) : 0;
}

void CVKDatabase::SetBusyTimeout(int milliseconds)
{
    if (m_connection)
        m_connection->SetBusyTimeout(milliseconds);
}

bool CVKDatabase::CheckIntegrity()
{
    if (!m_connection)
        return Fail("Keine Datenbank geöffnet"_ansi);
    CString findings;
    if (!m_connection->CheckIntegrity(findings))
        return FailOnConnection("Die Datenbank " + Name() + " ist beschädigt oder nicht prüfbar"_ansi);
    if (!findings.IsEmpty())
        return Fail("Die Datenbank " + Name() + " ist beschädigt:\n"_ansi + findings);
    return true;
}

bool CVKDatabase::ExecuteScript(const char* sql)
{
    if (!m_connection)
        return Fail("Keine Datenbank geöffnet"_ansi);
    return m_connection->Execute(sql) || FailOnConnection(CString("Fehler bei \"") + sql + "\"");
}

std::unique_ptr<CVKStatement> CVKDatabase::BorrowStatement(const std::string& sql)
{
    if (!m_connection) {
        Fail("Keine Datenbank geöffnet"_ansi);
        return nullptr;
    }
    if (auto idle = m_idleStatements.find(sql); idle != m_idleStatements.end() && !idle->second.empty()) {
        std::unique_ptr<CVKStatement> statement = std::move(idle->second.back());
        idle->second.pop_back();
        return statement;
    }
    std::unique_ptr<CVKStatement> statement = m_connection->Prepare(sql);
    if (!statement)
        FailOnConnection(CString("Fehler in \"") + sql + "\"");
    return statement;
}

void CVKDatabase::ReturnStatement(const std::string& sql, std::unique_ptr<CVKStatement> statement, int generation)
{
    if (generation != m_generation)
        return;
    statement->Reset();
    statement->ClearBindings();
    m_idleStatements[sql].push_back(std::move(statement));
}
