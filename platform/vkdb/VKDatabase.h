#pragma once
#include "vkbasis/CString.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One connection to the practice database (a SQLite file).
//
// The file is shared by every workstation of the practice: it runs in WAL
// mode (readers never wait for a writer) and a connection waits up to the
// busy timeout (5 s unless changed) for another workstation's write lock
// before it reports "database locked". Statements are prepared once per
// connection and reused (see CVKQuery).
//
// Opening checks that the file is a practice database of a schema version
// this program knows; an older schema is migrated on a read-write open, in
// one transaction. Every failure leaves a German text in GetLastError() that
// says what happened and, where there is one, what to do.
// A connection is used by one thread at a time.
class CVKDatabase {
public:
    enum class EOpenMode { ReadWrite, ReadOnly };

    static constexpr int DefaultBusyTimeoutMs = 5000;

    CVKDatabase();
    ~CVKDatabase();
    CVKDatabase(const CVKDatabase&) = delete;
    CVKDatabase& operator=(const CVKDatabase&) = delete;

    // Opens an existing practice database; false with GetLastError() when the
    // file is missing ("j3db init" creates one), is locked by another program,
    // cannot be written (read-write mode), is no practice database, is
    // damaged, has a newer schema, or cannot be migrated. An open connection
    // is closed first. A read-only open also reads a database that lies in a
    // read-only folder, where SQLite cannot create its side files.
    bool Open(const std::filesystem::path& hostFile, EOpenMode mode = EOpenMode::ReadWrite);
    // Creates a new practice database with the current schema; refuses a file
    // that exists already. On failure no file is left behind.
    bool Create(const std::filesystem::path& hostFile);
    void Close();

    bool IsOpen() const { return m_db != nullptr; }
    bool IsReadOnly() const { return m_readOnly; }
    const std::filesystem::path& GetFile() const { return m_file; }
    // Schema version stored in the file; 0 when not open.
    int GetSchemaVersion();
    void SetBusyTimeout(int milliseconds);
    // Full consistency check of the file (slow on large files; for the admin
    // tool). True when SQLite finds no fault; otherwise GetLastError() lists it.
    bool CheckIntegrity();

    // Text of the last failure on this connection.
    const CString& GetLastError() const { return m_lastError; }
    // SQLite's result code of the last failure; 0 when it was none of SQLite's.
    int GetLastResult() const { return m_lastResult; }
    // Records a failure: the text, and for a SQLite result code SQLite's own
    // explanation. Returns false so callers can "return Fail(...)".
    bool Fail(const CString& context, int sqliteResult = 0);

    // Runs statements without parameters and without rows (schema work).
    bool ExecuteScript(const char* sql);

    // Statement cache used by CVKQuery: a statement is borrowed and returned;
    // a statement still borrowed (nested use of the same text) gets a fresh
    // one, so borrowers never share a cursor.
    sqlite3_stmt* BorrowStatement(const std::string& sql);
    void ReturnStatement(const std::string& sql, sqlite3_stmt* statement);

    sqlite3* Handle() const { return m_db; }

private:
    bool OpenConnection(const std::filesystem::path& hostFile, int flags);
    bool CheckAndMigrate();
    // Why the first read of the file failed: locked, read-only or damaged.
    CString DescribeUnreadable() const;
    void FinalizeStatements();

    sqlite3* m_db = nullptr;
    bool m_readOnly = false;
    std::filesystem::path m_file;
    CString m_lastError;
    int m_lastResult = 0;
    std::map<std::string, std::vector<sqlite3_stmt*>, std::less<>> m_idleStatements;
};

// The practice database of the running program: read-write and read-only
// connections to the same file. Record objects are constructed on them.
extern CVKDatabase dbDatabase;
extern CVKDatabase dbDatabaseRO;
