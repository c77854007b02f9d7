#pragma once
#include "vkbasis/CString.h"

#include <cstdint>
#include <memory>
#include <string>

class CVKStatement;

// A session with one practice database, as a backend offers it: a SQLite
// file (CVKSQLiteConnection) or a PostgreSQL server (CVKPgConnection).
// Statements are written in one dialect, SQLite's, with ?N placeholders;
// a backend translates what it must. Every failure leaves a code and a text
// for CVKDatabase to report.
class CVKConnection {
public:
    // What a schema stamp holds (CVKSchema): the application id marks a
    // practice database; objects counts the tables etc. already there.
    struct SStamp {
        std::int64_t applicationId = 0;
        std::int64_t version = 0;
        std::int64_t objects = 0;
    };

    enum class EDialect { SQLite, PostgreSQL };

    virtual ~CVKConnection() = default;

    // The dialect of the schema's tables (CVKSchema).
    virtual EDialect Dialect() const = 0;

    // nullptr when the text cannot be prepared.
    virtual std::unique_ptr<CVKStatement> Prepare(const std::string& sql) = 0;
    // Statements without parameters and without rows (schema work, savepoints).
    virtual bool Execute(const char* sql) = 0;
    virtual bool InTransaction() const = 0;
    // Begins the outermost transaction holding the practice's write lock,
    // waiting up to the busy timeout for another workstation.
    virtual bool BeginWrite() = 0;
    virtual void SetBusyTimeout(int milliseconds) = 0;

    virtual bool ReadStamp(SStamp& stamp) = 0;
    virtual bool WriteStamp(const SStamp& stamp) = 0;
    // Lines of faults found in the stored data; false when it cannot be checked.
    virtual bool CheckIntegrity(CString& findings) = 0;

    // The last failure: a nonzero code (SQLite's result code, or 1 on a
    // server) and its text.
    virtual int ErrorCode() const = 0;
    virtual CString ErrorText() const = 0;

    // What the last failure means for the user, where the backend can tell:
    // someone else's lock, a file in a folder or with rights that allow only
    // reading, a file that cannot be opened at all, one that is no database.
    enum class EFault { Other, Locked, NotWritable, Unopenable, NoDatabase };
    virtual EFault Fault() const = 0;
    // Who holds the lock of the last failure, as "Prozess 1234 (j3db)";
    // empty when the backend cannot name one on this machine.
    virtual CString LockHolder() const { return {}; }
};
