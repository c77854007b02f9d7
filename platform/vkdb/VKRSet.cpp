#include "vkdb/VKRSet.h"

#include "vkbasis/CVKSysBase.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"
#include "winpath/AnsiLiteral.h"

#include <string>

CVKRSet::CVKRSet(CVKDatabase* database, void* /*reserved*/, const char* tableName)
    : m_database(database), m_tableName(tableName)
{
}

CVKRSet::~CVKRSet() = default;

void CVKRSet::AddField(const char* column, CString& field)
{
    m_fields.push_back({column, &field});
}

void CVKRSet::Clear()
{
    for (const SField& field : m_fields)
        field.value->Empty();
    m_rowId = 0;
}

std::string CVKRSet::ColumnList() const
{
    std::string columns;
    for (const SField& field : m_fields)
        columns += std::string(columns.empty() ? "" : ", ") + field.column;
    return columns;
}

CString CVKRSet::Describe(const CString& context, const char* action) const
{
    return (context.IsEmpty() ? GetTableName() : context) + ": " + action;
}

bool CVKRSet::CanChange(const CString& context, const char* action) const
{
    if (!m_forwardOnly)
        return true;
    return m_database->Fail(Describe(context, action) +
                            " nicht möglich, der Datensatz ist nur zum Lesen geöffnet"_ansi);
}

int CVKRSet::Lookup(const char* condition, std::initializer_list<std::string_view> values, const char* order)
{
    m_rowId = 0;
    std::string sql = "SELECT rowid, " + ColumnList() + " FROM " + m_tableName + " WHERE " + condition;
    if (order)
        sql += std::string(" ORDER BY ") + order;
    CVKQuery query(*m_database, sql + " LIMIT 1");
    int index = 1;
    for (std::string_view value : values)
        query.Bind(index++, value);
    if (!query.Next())
        return query.Failed() ? DB_ERROR : NOT_FOUND;
    m_rowId = query.ColumnInt64(0);
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        *m_fields[i].value = query.ColumnText(static_cast<int>(i) + 1);
    return FOUND;
}

bool CVKRSet::Write(const CString& context)
{
    if (!CanChange(context, "Neuanlage"))
        return false;
    std::string placeholders;
    for (std::size_t i = 1; i <= m_fields.size(); ++i)
        placeholders += (i == 1 ? "?" : ", ?") + std::to_string(i);
    CVKQuery query(*m_database, std::string("INSERT INTO ") + m_tableName + "(" + ColumnList() + ") VALUES(" +
                                    placeholders + ") RETURNING rowid");
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        query.Bind(static_cast<int>(i) + 1, *m_fields[i].value);
    if (!query.Next())
        return m_database->Fail(Describe(context, "Neuanlage fehlgeschlagen, ") + m_database->GetLastError());
    // Positioned on the new record, so that a following Rewrite changes it.
    m_rowId = query.ColumnInt64(0);
    return query.Run();
}

bool CVKRSet::Rewrite(const CString& context)
{
    if (!CanChange(context, "Ändern"_ansi))
        return false;
    if (!IsPositioned())
        return m_database->Fail(Describe(context, "Ändern ohne gefundenen Datensatz"_ansi));
    std::string assignments;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        assignments += std::string(i == 0 ? "" : ", ") + m_fields[i].column + " = ?" + std::to_string(i + 1);
    const int rowIndex = static_cast<int>(m_fields.size()) + 1;
    CVKQuery query(*m_database, std::string("UPDATE ") + m_tableName + " SET " + assignments + " WHERE rowid = ?" +
                                    std::to_string(rowIndex) + " RETURNING rowid");
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        query.Bind(static_cast<int>(i) + 1, *m_fields[i].value);
    query.Bind(rowIndex, m_rowId);
    if (query.Next())
        return query.Run();
    if (!query.Failed())
        m_database->Fail(Describe(context, "Ändern fehlgeschlagen, der Datensatz wurde inzwischen gelöscht"_ansi));
    return false;
}

bool CVKRSet::Delete()
{
    if (!CanChange(CString(), "Löschen"_ansi))
        return false;
    if (!IsPositioned())
        return m_database->Fail(Describe(CString(), "Löschen ohne gefundenen Datensatz"_ansi));
    // The deletion and the protocol entry the program may want for it are
    // kept or lost together, and a record someone else deleted first gets no
    // entry from here.
    CVKTransaction transaction(*m_database);
    if (!transaction.IsActive())
        return false;
    CVKQuery query(*m_database, std::string("DELETE FROM ") + m_tableName + " WHERE rowid = ?1 RETURNING rowid");
    query.Bind(1, m_rowId);
    const bool deleted = query.Next() && query.Run();
    m_rowId = 0;
    if (!deleted) {
        if (!query.Failed())
            m_database->Fail(
                Describe(CString(), "Löschen fehlgeschlagen, der Datensatz wurde inzwischen gelöscht"_ansi));
        return false;
    }
    // The fields still hold the deleted record for the protocol.
    if (gp_VKSysBase)
        gp_VKSysBase->DeleteProtokoll(this);
    return transaction.Commit();
}

bool CVKRSet::IsRecordPresent() const
{
    if (!IsPositioned())
        return false;
    CVKQuery query(*m_database, std::string("SELECT 1 FROM ") + m_tableName + " WHERE rowid = ?1");
    query.Bind(1, m_rowId);
    return query.Next();
}
