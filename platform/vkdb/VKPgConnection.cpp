#include "vkdb/VKPgConnection.h"

#include "vkbasis/CVKSysBase.h"
#include "vkdb/VKPgRefusal.h"
#include "vkdb/VKPgStatement.h"
#include "vkdb/VKSchema.h"
#include "vkdb/VKServerLocation.h"
#include "vkdb/VKServerNotice.h"
#include "winpath/AnsiLiteral.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The advisory lock of a practice: the application id and the schema.
const std::string WriteLockSql =
    "BEGIN; SELECT pg_advisory_xact_lock(" + std::to_string(CVKSchema::ApplicationId) + ", hashtext(current_schema()))";

// The SQLite dialect's ?N placeholders become $N; an index hint (INDEXED BY)
// is left to the planner. Quoted texts stay as they are.
std::string ServerDialect(const std::string& sql)
{
    std::string out;
    out.reserve(sql.size());
    char quote = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote) {
            quote = c == quote ? '\0' : quote;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '?' && i + 1 < sql.size() && std::isdigit(static_cast<unsigned char>(sql[i + 1]))) {
            out += '$';
            continue;
        } else if (sql.compare(i, 11, "INDEXED BY ") == 0) {
            i += 11;
            while (i < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[i])) || sql[i] == '_'))
                ++i;
            --i; // the character after the index name is kept
            continue;
        }
        out += c;
    }
    return out;
}

bool IsWrite(const std::string& sql)
{
    for (const char* verb : {"INSERT", "UPDATE", "DELETE"})
        if (sql.compare(0, std::char_traits<char>::length(verb), verb) == 0)
            return true;
    return false;
}

void IgnoreNotice(void*, const char*)
{
}

} // namespace

CVKPgConnection::~CVKPgConnection()
{
    // A statement still borrowed must not wait for this session later.
    Settle();
    PQfinish(m_conn);
}

bool CVKPgConnection::Open(const std::string& url, bool readOnly, int busyTimeoutMs)
{
    m_url = url;
    m_readOnly = readOnly;
    m_busyTimeoutMs = busyTimeoutMs;
    // Keywords before the location are defaults that the location overrides.
    const std::string timeout = std::to_string(ConnectTimeoutSeconds);
    std::vector<const char*> keywords{"keepalives", "keepalives_idle", "keepalives_interval", "keepalives_count"};
    std::vector<const char*> values{"1", "10", "5", "3"};
    if (!std::getenv("PGCONNECT_TIMEOUT")) {
        keywords.push_back("connect_timeout");
        values.push_back(timeout.c_str());
    }
    keywords.insert(keywords.end(), {"dbname", nullptr});
    values.insert(values.end(), {url.c_str(), nullptr});
    m_conn = PQconnectdbParams(keywords.data(), values.data(), 1);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        // libpq's reason about a location it cannot read would quote the
        // location, a password among it.
        m_errorText = CVKServerLocation::IsReadable(url)
                          ? CVKPgRefusal::Explain(m_conn, CVKServerLocation::Displayable(url))
                          : CString("Die Adresse ist weder eine URL postgresql://... noch Schlüsselwörter "_ansi
                                    "host=... dbname=..., die libpq lesen kann.");
        return false;
    }
    PQsetNoticeProcessor(m_conn, IgnoreNotice, nullptr);
    m_server = ServerAddress();
    return StartSession();
}

bool CVKPgConnection::StartSession()
{
    // Each statement of a write transaction sees what was committed before
    // it got the write lock: read committed, whatever the server's default.
    const std::string settings = "SET lock_timeout = " + std::to_string(m_busyTimeoutMs) +
                                 "; SET default_transaction_read_only = " + (m_readOnly ? "on" : "off") +
                                 "; SET default_transaction_isolation = 'read committed'";
    return Run(settings.c_str(), PGRES_COMMAND_OK);
}

bool CVKPgConnection::SendAhead(CVKPgStatement& owner, const std::string& name, const SWireParams& params)
{
    if (m_readingAhead || PQstatus(m_conn) != CONNECTION_OK)
        return false;
    m_aheadInTransaction = PQtransactionStatus(m_conn) != PQTRANS_IDLE;
    if (PQsendQueryPrepared(m_conn, name.c_str(), params.Count(), params.values.data(), params.lengths.data(),
                            params.formats.data(), 1) != 1)
        return false;
    m_readingAhead = &owner;
    return true;
}

void CVKPgConnection::Settle()
{
    if (m_readingAhead)
        m_readingAhead->CollectReadAhead();
}

bool CVKPgConnection::EnsureSession()
{
    Settle();
    if (PQstatus(m_conn) == CONNECTION_OK)
        return true;
    if (InTransaction())
        return RecordFailure("Die Verbindung zum Datenbankserver " + CString(CVKServerLocation::Displayable(m_url)) +
                             " ist abgebrochen; die laufende Änderung wurde nicht gespeichert."_ansi);
    PQreset(m_conn);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        m_errorIsLock = false;
        m_errorText = CVKPgRefusal::Explain(m_conn, CVKServerLocation::Displayable(m_url));
        return false;
    }
    ++m_generation;
    // Noted at every reconnection in the database error log, and told to the
    // person once per server start: with several hosts in the location this
    // may be another server (a promoted standby).
    const std::string before = m_server;
    m_server = ServerAddress();
    const CString back("Die Verbindung zum Datenbankserver war unterbrochen und ist wieder da: " +
                       (m_server == before ? m_server : m_server + " statt " + before));
    if (gp_VKSysBase)
        gp_VKSysBase->DoDBError(back);
    if (!StartSession())
        return false;
    CVKServerNotice::Tell(m_server + " " + ServerStart(), back);
    return true;
}

std::string CVKPgConnection::ServerStart() const
{
    PGresult* result = PQexec(m_conn, "SELECT pg_postmaster_start_time()");
    std::string start = PQresultStatus(result) == PGRES_TUPLES_OK ? PQgetvalue(result, 0, 0) : "";
    PQclear(result);
    return start;
}

std::string CVKPgConnection::ServerAddress() const
{
    return std::string(PQhost(m_conn)) + ":" + PQport(m_conn);
}

bool CVKPgConnection::Run(const char* sql, ExecStatusType expected)
{
    Settle();
    PGresult* result = PQexec(m_conn, sql);
    NoteTransactionState();
    const bool succeeded = PQresultStatus(result) == expected ||
                           (expected == PGRES_COMMAND_OK && PQresultStatus(result) == PGRES_TUPLES_OK);
    if (!succeeded)
        RecordFailure(result);
    PQclear(result);
    return succeeded;
}

bool CVKPgConnection::RecordFailure(const PGresult* result)
{
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const char* message = result ? PQresultErrorMessage(result) : "";
    const CString text = CString(*message ? message : PQerrorMessage(m_conn)).Trim();
    // A lock wait that ran out (lock_not_available).
    const bool isLock = state && std::string_view(state) == "55P03";
    RecordFailure(text);
    m_errorIsLock = isLock;
    return false;
}

bool CVKPgConnection::RecordFailure(const CString& text)
{
    m_errorIsLock = false;
    if (PQstatus(m_conn) == CONNECTION_OK)
        m_errorText = text;
    else
        m_errorText = "Keine Verbindung zum Datenbankserver " + CString(CVKServerLocation::Displayable(m_url)) + " (" +
                      text + ")";
    if (m_errorText.IsEmpty())
        m_errorText = "Unbekannter Fehler des Datenbankservers";
    return false;
}

std::unique_ptr<CVKStatement> CVKPgConnection::Prepare(const std::string& sql)
{
    return std::make_unique<CVKPgStatement>(*this, ServerDialect(sql), IsWrite(sql));
}

bool CVKPgConnection::PrepareOnServer(const std::string& name, const std::string& sql, const std::vector<Oid>& types)
{
    Settle();
    PGresult* result = PQprepare(m_conn, name.c_str(), sql.c_str(), static_cast<int>(types.size()), types.data());
    const bool prepared = PQresultStatus(result) == PGRES_COMMAND_OK;
    if (!prepared)
        RecordFailure(result);
    PQclear(result);
    return prepared;
}

bool CVKPgConnection::Execute(const char* sql)
{
    // A session lost inside a transaction ends that transaction on the server.
    if (PQstatus(m_conn) != CONNECTION_OK && std::string_view(sql) == "ROLLBACK") {
        m_lostInTransaction = false;
        return true;
    }
    return EnsureSession() && Run(sql, PGRES_COMMAND_OK);
}

bool CVKPgConnection::InTransaction() const
{
    if (m_readingAhead)
        return m_aheadInTransaction;
    if (PQstatus(m_conn) != CONNECTION_OK)
        return m_lostInTransaction;
    return PQtransactionStatus(m_conn) != PQTRANS_IDLE;
}

bool CVKPgConnection::BeginWrite()
{
    if (!EnsureSession())
        return false;
    if (Run(WriteLockSql.c_str(), PGRES_TUPLES_OK))
        return true;
    Rollback();
    return false;
}

void CVKPgConnection::NoteTransactionState()
{
    if (PQstatus(m_conn) == CONNECTION_OK && !m_readingAhead)
        m_lostInTransaction = PQtransactionStatus(m_conn) != PQTRANS_IDLE;
}

void CVKPgConnection::Rollback(const char* sql)
{
    const CString reason = m_errorText;
    const bool wasLock = m_errorIsLock;
    Execute(sql);
    m_errorText = reason;
    m_errorIsLock = wasLock;
}

void CVKPgConnection::SetBusyTimeout(int milliseconds)
{
    m_busyTimeoutMs = milliseconds;
    const std::string sql = "SET lock_timeout = " + std::to_string(milliseconds);
    Execute(sql.c_str());
}

bool CVKPgConnection::ReadStamp(SStamp& stamp)
{
    stamp = {};
    auto tables = Prepare("SELECT count(*), count(*) FILTER (WHERE tablename = 'j3schema') FROM pg_tables "
                          "WHERE schemaname = current_schema()");
    if (tables->Step() != CVKStatement::EStep::Row)
        return false;
    stamp.objects = tables->ColumnInt64(0);
    if (tables->ColumnInt64(1) == 0)
        return true;
    auto stored = Prepare("SELECT application_id, version FROM j3schema");
    if (const CVKStatement::EStep step = stored->Step(); step != CVKStatement::EStep::Row)
        return step == CVKStatement::EStep::Done;
    stamp.applicationId = stored->ColumnInt64(0);
    stamp.version = stored->ColumnInt64(1);
    return true;
}

bool CVKPgConnection::WriteStamp(const SStamp& stamp)
{
    // Both values are numbers of this program.
    const std::string sql = "CREATE TABLE IF NOT EXISTS j3schema(application_id bigint NOT NULL,"
                            " version bigint NOT NULL); DELETE FROM j3schema; INSERT INTO j3schema VALUES(" +
                            std::to_string(stamp.applicationId) + ", " + std::to_string(stamp.version) + ")";
    return Execute(sql.c_str());
}

bool CVKPgConnection::CheckIntegrity(CString& findings)
{
    // The server keeps its own pages consistent; what can go wrong for the
    // practice is a schema that is missing or an index left unusable by an
    // interrupted build.
    SStamp stamp;
    if (!ReadStamp(stamp))
        return false;
    if (stamp.version == 0)
        findings += "Die Schemaversion fehlt.\n";
    auto indexes = Prepare("SELECT c.relname FROM pg_index i JOIN pg_class c ON c.oid = i.indexrelid "
                           "JOIN pg_namespace n ON n.oid = c.relnamespace "
                           "WHERE n.nspname = current_schema() AND NOT (i.indisvalid AND i.indisready) ORDER BY 1");
    CVKStatement::EStep step = CVKStatement::EStep::Failed;
    while ((step = indexes->Step()) == CVKStatement::EStep::Row)
        findings += "Der Index " + CString(indexes->ColumnBytes(0)) + " ist unbrauchbar.\n";
    return step == CVKStatement::EStep::Done;
}
