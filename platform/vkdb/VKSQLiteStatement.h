#pragma once
#include "vkdb/VKStatement.h"

struct sqlite3_stmt;

// A prepared statement of a SQLite file. Texts are BLOBs, so every byte,
// NUL included, round-trips.
class CVKSQLiteStatement : public CVKStatement {
public:
    explicit CVKSQLiteStatement(sqlite3_stmt* statement) : m_statement(statement) {}
    ~CVKSQLiteStatement() override;
    CVKSQLiteStatement(const CVKSQLiteStatement&) = delete;
    CVKSQLiteStatement& operator=(const CVKSQLiteStatement&) = delete;

    bool BindBytes(int index, std::string_view bytes) override;
    bool BindInt64(int index, std::int64_t value) override;
    EStep Step() override;
    void Reset() override;
    void ClearBindings() override;
    std::string_view ColumnBytes(int column) const override;
    std::int64_t ColumnInt64(int column) const override;

private:
    sqlite3_stmt* m_statement;
};
