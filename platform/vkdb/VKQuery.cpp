#include "vkdb/VKQuery.h"

#include "vkdb/VKDatabase.h"
#include "vkdb/VKStatement.h"

#include <utility>

CVKQuery::CVKQuery(CVKDatabase& database, std::string sql)
    : m_database(database), m_sql(std::move(sql)), m_generation(database.Generation()),
      m_statement(database.BorrowStatement(m_sql))
{
    m_failed = m_statement == nullptr;
}

CVKQuery::~CVKQuery()
{
    if (m_statement)
        m_database.ReturnStatement(m_sql, std::move(m_statement), m_generation);
}

CVKQuery& CVKQuery::Bind(int index, std::string_view bytes)
{
    if (m_statement && !m_statement->BindBytes(index, bytes))
        m_failed = !m_database.FailOnConnection("Parameter kann nicht gebunden werden");
    return *this;
}

CVKQuery& CVKQuery::Bind(int index, std::int64_t value)
{
    if (m_statement && !m_statement->BindInt64(index, value))
        m_failed = !m_database.FailOnConnection("Parameter kann nicht gebunden werden");
    return *this;
}

bool CVKQuery::Next()
{
    if (!m_statement || m_failed)
        return false;
    switch (m_statement->Step()) {
    case CVKStatement::EStep::Row:
        return true;
    case CVKStatement::EStep::Done:
        return false;
    case CVKStatement::EStep::Failed:
        break;
    }
    m_failed = !m_database.FailOnConnection(CString("Fehler bei \"") + m_sql + "\"");
    return false;
}

bool CVKQuery::Run()
{
    while (Next()) {
    }
    return !m_failed;
}

void CVKQuery::ReadAhead(int keyParam, int keyColumn, int limitParam, std::int64_t maxLimit)
{
    if (m_statement)
        m_statement->ReadAhead(keyParam, keyColumn, limitParam, maxLimit);
}

void CVKQuery::Reset()
{
    if (m_statement)
        m_statement->Reset();
}

std::string_view CVKQuery::ColumnBytes(int column) const
{
    return m_statement ? m_statement->ColumnBytes(column) : std::string_view();
}

std::int64_t CVKQuery::ColumnInt64(int column) const
{
    return m_statement ? m_statement->ColumnInt64(column) : 0;
}
