#pragma once
#include "vkdb/VKConnection.h"

struct sqlite3;

// A session with a practice database in a SQLite file. The file runs in WAL
// mode (readers never wait for a writer); a write transaction takes the
// file's write lock at once (BEGIN IMMEDIATE) and waits up to the busy
// timeout for it.
class CVKSQLiteConnection : public CVKConnection {
public:
    CVKSQLiteConnection() = default;
    ~CVKSQLiteConnection() override;
    CVKSQLiteConnection(const CVKSQLiteConnection&) = delete;
    CVKSQLiteConnection& operator=(const CVKSQLiteConnection&) = delete;

    // file is a path or, with SQLITE_OPEN_URI in flags, a file: URI. On
    // failure ErrorCode() and ErrorText() say why.
    bool Open(const std::string& file, int flags, int busyTimeoutMs);
    sqlite3* Handle() const { return m_db; }

    EDialect Dialect() const override { return EDialect::SQLite; }
    std::unique_ptr<CVKStatement> Prepare(const std::string& sql) override;
    bool Execute(const char* sql) override;
    bool InTransaction() const override;
    bool BeginWrite() override;
    void SetBusyTimeout(int milliseconds) override;
    bool ReadStamp(SStamp& stamp) override;
    bool WriteStamp(const SStamp& stamp) override;
    bool CheckIntegrity(CString& findings) override;
    int ErrorCode() const override;
    CString ErrorText() const override;
    bool ErrorIsLock() const override;

private:
    sqlite3* m_db = nullptr;
    int m_openResult = 0;
};
