#include "vkdb/VKSQLiteStatement.h"

#include <sqlite3.h>

CVKSQLiteStatement::~CVKSQLiteStatement()
{
    sqlite3_finalize(m_statement);
}

bool CVKSQLiteStatement::BindBytes(int index, std::string_view bytes)
{
    // A zero-length BLOB needs a non-null pointer; a null one would bind NULL.
    static const char empty = 0;
    return sqlite3_bind_blob64(m_statement, index, bytes.empty() ? &empty : bytes.data(), bytes.size(),
                               SQLITE_TRANSIENT) == SQLITE_OK;
}

bool CVKSQLiteStatement::BindInt64(int index, std::int64_t value)
{
    return sqlite3_bind_int64(m_statement, index, value) == SQLITE_OK;
}

CVKStatement::EStep CVKSQLiteStatement::Step()
{
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return EStep::Row;
    case SQLITE_DONE:
        return EStep::Done;
    default:
        return EStep::Failed;
    }
}

void CVKSQLiteStatement::Reset()
{
    sqlite3_reset(m_statement);
}

void CVKSQLiteStatement::ClearBindings()
{
    sqlite3_clear_bindings(m_statement);
}

std::string_view CVKSQLiteStatement::ColumnBytes(int column) const
{
    const void* data = sqlite3_column_blob(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string_view();
}

std::int64_t CVKSQLiteStatement::ColumnInt64(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}
