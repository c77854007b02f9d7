#pragma once
#include "vkdb/VKConnection.h"

#include <libpq-fe.h>

#include <string>
#include <string_view>
#include <vector>

class CVKPgStatement;
struct SWireParams;

// A session with a practice database on a PostgreSQL server, named by a URL
// (postgresql://user@host:port/database?options=...) or by libpq's keywords
// (CVKServerLocation). Unless the location says otherwise, a connection
// attempt gives up after ConnectTimeoutSeconds and the server is asked for
// TCP keepalives, so that a server that vanished is noticed rather than
// waited for.
//
// Write transactions serialise as they do on a SQLite file: the outermost
// one begins by taking a transaction-level advisory lock of the practice
// (one key per schema), waiting at most the busy timeout (lock_timeout) and
// then failing as "locked"; a write outside a transaction takes the same
// lock for itself, and a failed write inside one undoes only itself (a
// savepoint around it), as on the file. Sessions read committed, so what a
// transaction reads after the lock includes the previous holder's work.
// Readers never wait. A read-only session runs with
// default_transaction_read_only. A session the server dropped is opened
// again at the next statement outside a transaction; with several hosts in
// the location (?target_session_attrs=read-write) that is whichever of them
// is the primary now. The database error log notes each reconnection, and
// the person is told once per server start (CVKServerNotice).
class CVKPgConnection : public CVKConnection {
public:
    CVKPgConnection() = default;
    ~CVKPgConnection() override;
    CVKPgConnection(const CVKPgConnection&) = delete;
    CVKPgConnection& operator=(const CVKPgConnection&) = delete;

    static constexpr int ConnectTimeoutSeconds = 10;

    bool Open(const std::string& url, bool readOnly, int busyTimeoutMs);

    EDialect Dialect() const override { return EDialect::PostgreSQL; }
    std::unique_ptr<CVKStatement> Prepare(const std::string& sql) override;
    bool Execute(const char* sql) override;
    bool InTransaction() const override;
    bool BeginWrite() override;
    void SetBusyTimeout(int milliseconds) override;
    bool ReadStamp(SStamp& stamp) override;
    bool WriteStamp(const SStamp& stamp) override;
    bool CheckIntegrity(CString& findings) override;
    int ErrorCode() const override { return m_errorText.IsEmpty() ? 0 : 1; }
    CString ErrorText() const override { return m_errorText; }
    // A server tells only a lock wait that ran out.
    EFault Fault() const override { return m_errorIsLock ? EFault::Locked : EFault::Other; }

    // For CVKPgStatement.
    PGconn* Handle() const { return m_conn; }
    int Generation() const { return m_generation; }
    std::string NextStatementName() { return "vk" + std::to_string(++m_statementCount); }
    bool PrepareOnServer(const std::string& name, const std::string& sql, const std::vector<Oid>& types);
    // Opens the session again when the server dropped it (outside a transaction).
    bool EnsureSession();
    // A run read ahead (CVKPgStatement::ReadAhead): sent without waiting;
    // until its statement collects it the session takes no other work, so
    // everything else settles it first.
    bool SendAhead(CVKPgStatement& owner, const std::string& name, const SWireParams& params);
    void AheadCollected() { m_readingAhead = nullptr; }
    void Settle();
    // Runs a rollback, keeping the failure that led to it as the last one.
    void Rollback(const char* sql = "ROLLBACK");
    // Remembers whether a transaction is open, for the case that the server
    // drops the session in the next statement.
    void NoteTransactionState();
    // Records the failure of a result (or of the session); returns false.
    bool RecordFailure(const PGresult* result);
    bool RecordFailure(const CString& text);

private:
    bool StartSession();
    // "host:port" of the server the session runs on.
    std::string ServerAddress() const;
    // When the server started; empty when it does not say.
    std::string ServerStart() const;
    bool Run(const char* sql, ExecStatusType expected);

    PGconn* m_conn = nullptr;
    std::string m_url;
    std::string m_server;
    bool m_readOnly = false;
    // Whether the session was inside a transaction when the server dropped it.
    bool m_lostInTransaction = false;
    CVKPgStatement* m_readingAhead = nullptr;
    bool m_aheadInTransaction = false;
    int m_busyTimeoutMs = 0;
    int m_generation = 0;
    long m_statementCount = 0;
    CString m_errorText;
    bool m_errorIsLock = false;
};
