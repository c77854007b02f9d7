#pragma once
#include "vkbasis/CString.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CVKConnection;
class CVKSQLiteConnection;
class CVKStatement;
struct sqlite3;
enum class ESQLiteAccess : std::uint8_t;

// One connection to the practice database: a SQLite file, or a PostgreSQL
// server when the location is a postgresql:// URL (CVKPgConnection). The
// callers see no difference.
//
// The database is shared by every workstation of the practice: readers never
// wait for a writer, and a connection waits up to the busy timeout (5 s
// unless changed) for another workstation's write lock before it reports
// "database locked". Statements are prepared once per connection and reused
// (see CVKQuery).
//
// Opening checks that the location holds a practice database of a schema version
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

    // Opens an existing practice database at a location: a file path or a
    // postgresql:// URL. False with GetLastError() when the file is missing
    // ("j3db init" creates one) or the server unreachable, when it is locked
    // by another program, cannot be written (read-write mode), is no practice
    // database, is damaged, has a newer schema, or cannot be migrated. An open
    // connection is closed first. A read-only open also reads a database file
    // that lies in a read-only folder, where SQLite cannot create its side
    // files; on a server it opens a read-only session.
    bool Open(const std::filesystem::path& location, EOpenMode mode = EOpenMode::ReadWrite);
    // Creates a new practice database with the current schema; refuses a file
    // that exists already, or a server schema that holds tables already.
    // fill, when given, writes the first records on this connection inside
    // the same transaction as the schema: on a server (whose schema changes
    // are transactional) a failed fill, a failure or a killed program leaves
    // no table behind. On failure nothing is left behind.
    bool Create(const std::filesystem::path& location, const std::function<bool()>& fill = {});
    void Close();

    // True for a location that names a database server rather than a file.
    static bool IsServerLocation(const std::filesystem::path& location);
    // True when a database file and its folder can both be written, as a
    // read-write open needs: the side files of the file's log lie beside it.
    static bool IsWritableFile(const std::filesystem::path& file);

    bool IsOpen() const { return m_connection != nullptr; }
    bool IsReadOnly() const { return m_readOnly; }
    bool IsOnServer() const { return m_onServer; }
    // The location it was opened with: a file, or the server's URL.
    const std::filesystem::path& GetFile() const { return m_file; }
    // Schema version stored in the database; 0 when not open.
    int GetSchemaVersion();
    void SetBusyTimeout(int milliseconds);
    // Consistency check (slow on large files; for the admin tool). True when
    // no fault is found; otherwise GetLastError() lists them. A server keeps
    // its own pages consistent: there the schema stamp and the indexes are
    // checked.
    bool CheckIntegrity();

    // Text of the last failure on this connection.
    const CString& GetLastError() const { return m_lastError; }
    // The backend's result code of the last failure (SQLite's, or 1 for a
    // server's failure); 0 when it was none of the backend's.
    int GetLastResult() const { return m_lastResult; }
    // Records a failure that is none of the backend's: the text alone.
    // Returns false so callers can "return Fail(...)".
    bool Fail(const CString& context);
    // Records the backend's last failure: the text and the backend's own
    // explanation (alone when the text is empty), noted in the database
    // error log; Fail when the backend reports none.
    bool FailOnConnection(const CString& context);

    // Runs statements without parameters and without rows (schema work).
    bool ExecuteScript(const char* sql);

    // Statement cache used by CVKQuery: a statement is borrowed and returned;
    // a statement still borrowed (nested use of the same text) gets a fresh
    // one, so borrowers never share a cursor.
    std::unique_ptr<CVKStatement> BorrowStatement(const std::string& sql);
    void ReturnStatement(const std::string& sql, std::unique_ptr<CVKStatement> statement, int generation);
    // Counts the opens: a statement borrowed before a Close is not returned.
    int Generation() const { return m_generation; }

    // False when the open file lacks the index (an index hint would fail);
    // the first such answer for an index notes it in the database error log.
    bool HasIndex(const std::string& index);

    // The backend of an open connection (for the database layer's own use).
    CVKConnection* Connection() const { return m_connection.get(); }
    // The SQLite handle when the connection is a file; nullptr otherwise.
    sqlite3* Handle() const;

private:
    bool OpenFile(const std::filesystem::path& hostFile, ESQLiteAccess access);
    // The connection when it is a file; nullptr otherwise.
    CVKSQLiteConnection* FileConnection() const;
    bool OpenServer(const std::string& url, bool readOnly);
    bool CreateOnServer(const std::string& url, const std::function<bool()>& fill);
    // The schema and the first records in one transaction.
    bool CreateSchema(const std::function<bool()>& fill);
    // Closes after a failure, keeping its text; returns false.
    bool CloseAfterFailure();
    bool CheckAndMigrate();
    // Refuses a file that lacks one of the schema's tables; notes its
    // missing indexes.
    bool CheckTables();
    // Why the first read of the file failed: locked, read-only or damaged.
    CString DescribeUnreadable() const;
    // Why SQLite could not open the file: a folder, no right to read it, ...
    CString DescribeUnopenable(const std::filesystem::path& hostFile) const;
    // Who holds the lock on the file, as far as this machine can tell.
    CString LockDescription() const;
    CString Name() const;

    std::unique_ptr<CVKConnection> m_connection;
    bool m_readOnly = false;
    bool m_onServer = false;
    int m_generation = 0;
    std::filesystem::path m_file;
    CString m_lastError;
    int m_lastResult = 0;
    std::map<std::string, std::vector<std::unique_ptr<CVKStatement>>, std::less<>> m_idleStatements;
    std::set<std::string> m_missingIndexes;
    std::set<std::string> m_reportedIndexes;
};

// The practice database of the running program: read-write and read-only
// connections to the same file. Record objects are constructed on them.
extern CVKDatabase dbDatabase;
extern CVKDatabase dbDatabaseRO;
