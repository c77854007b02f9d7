#pragma once
#include "vkbasis/CString.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CVKDatabase;
class CVKStatement;

// One run of a cached prepared statement: borrowed from the connection on
// construction, reset and returned on destruction. Parameters are always
// bound, never pasted into the text. Texts are bound and read as the bytes
// the program holds (BLOBs), so every 8-bit byte, NUL included, round-trips.
// A failure is recorded on the connection (CVKDatabase::GetLastError).
class CVKQuery {
public:
    CVKQuery(CVKDatabase& database, std::string sql);
    ~CVKQuery();
    CVKQuery(const CVKQuery&) = delete;
    CVKQuery& operator=(const CVKQuery&) = delete;

    // False when the statement could not be prepared (or the connection is closed).
    bool IsValid() const { return m_statement != nullptr; }

    // Parameters count from 1.
    CVKQuery& Bind(int index, std::string_view bytes);
    CVKQuery& Bind(int index, const std::string& bytes) { return Bind(index, std::string_view(bytes)); }
    CVKQuery& Bind(int index, const CString& text) { return Bind(index, std::string_view(text.str())); }
    CVKQuery& Bind(int index, std::int64_t value);

    // Steps to the next row: true when there is one; false at the end or on
    // a failure (then Failed() is true).
    bool Next();
    // Runs a statement without rows; true on success.
    bool Run();
    // Back to before the first row, bindings kept (rebind to seek elsewhere).
    void Reset();
    // Tells that a run which fills its limit (the number bound to limitParam)
    // is usually followed by a run from just after its last key (keyColumn of
    // the last row, followed by a NUL byte, bound to keyParam) with twice the
    // limit, at most maxLimit: a server may start that run at once and work
    // on it while this run's rows are read.
    void ReadAhead(int keyParam, int keyColumn, int limitParam, std::int64_t maxLimit);
    bool Failed() const { return m_failed; }

    std::string_view ColumnBytes(int column) const;
    CString ColumnText(int column) const { return CString(ColumnBytes(column)); }
    std::int64_t ColumnInt64(int column) const;

private:
    CVKDatabase& m_database;
    std::string m_sql;
    int m_generation;
    std::unique_ptr<CVKStatement> m_statement;
    bool m_failed = false;
};
