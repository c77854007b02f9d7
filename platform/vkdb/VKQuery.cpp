#include "vkdb/VKQuery.h"

#include "vkdb/VKDatabase.h"

#include <sqlite3.h>

#include <utility>

CVKQuery::CVKQuery(CVKDatabase& database, std::string sql)
    : m_database(database), m_sql(std::move(sql)), m_statement(database.BorrowStatement(m_sql))
{
    m_failed = m_statement == nullptr;
}

CVKQuery::~CVKQuery()
{
    if (m_statement)
        m_database.ReturnStatement(m_sql, m_statement);
}

CVKQuery& CVKQuery::Bind(int index, std::string_view bytes)
{
    // A zero-length BLOB needs a non-null pointer; a null one would bind NULL.
    static const char empty = 0;
    if (m_statement) {
        const int rc = sqlite3_bind_blob64(m_statement, index, bytes.empty() ? &empty : bytes.data(), bytes.size(),
                                           SQLITE_TRANSIENT);
        if (rc != SQLITE_OK)
            m_failed = !m_database.Fail("Parameter kann nicht gebunden werden", rc);
    }
    return *this;
}

CVKQuery& CVKQuery::Bind(int index, std::int64_t value)
{
    if (m_statement) {
        const int rc = sqlite3_bind_int64(m_statement, index, value);
        if (rc != SQLITE_OK)
            m_failed = !m_database.Fail("Parameter kann nicht gebunden werden", rc);
    }
    return *this;
}

bool CVKQuery::Next()
{
    if (!m_statement || m_failed)
        return false;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_failed = !m_database.Fail(CString("Fehler bei \"") + m_sql + "\"", rc);
    return false;
}

bool CVKQuery::Run()
{
    while (Next()) {
    }
    return !m_failed;
}

void CVKQuery::Reset()
{
    if (m_statement)
        sqlite3_reset(m_statement);
}

std::string_view CVKQuery::ColumnBytes(int column) const
{
    const void* data = sqlite3_column_blob(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string_view();
}

std::int64_t CVKQuery::ColumnInt64(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}
