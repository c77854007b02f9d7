#pragma once
#include "vkdb/VKConnection.h"

#include <cstdint>
#include <filesystem>

struct sqlite3;

// How a database file is opened.
enum class ESQLiteAccess : std::uint8_t {
    Create, // also when the file is missing
    ReadWrite,
    // In a folder that cannot be written SQLite cannot create the side files
    // of its log. Nobody can write there either, so the file is read as
    // unchanging then, as long as no log is left to replay.
    ReadOnly,
};

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

    // On failure ErrorCode() and ErrorText() say why.
    bool Open(const std::filesystem::path& file, ESQLiteAccess access, int busyTimeoutMs);
    sqlite3* Handle() const { return m_db; }
    // True when the file could be opened for reading only (its rights).
    bool IsReadOnly() const;
    // The file and the side files of its log.
    static void RemoveFiles(const std::filesystem::path& file);

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
    EFault Fault() const override;
    CString LockHolder() const override;

private:
    bool OpenWith(const std::string& name, int flags, int busyTimeoutMs);

    sqlite3* m_db = nullptr;
    std::filesystem::path m_file;
    int m_openResult = 0;
};
