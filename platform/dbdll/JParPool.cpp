#include "dbdll/JParPool.h"

#include "vkdb/DBStorePath.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "winpath/AnsiLiteral.h"

CJParPool::CJParPool(CVKDatabase* database, void* reserved) : CVKRSet(database, reserved, "parpool")
{
    AddField("nr", m_strNr);
    AddField("kuerzel", m_strKey);
    AddField("wert", m_strValue);
}

int CJParPool::GetByK1(int matchMode)
{
    if (matchMode != 0)
        return DB_ERROR;
    return Lookup("nr = ?1 AND kuerzel = ?2", {m_strNr.str(), m_strKey.str()}, nullptr);
}

int CJParPool::GetByValue()
{
    return Lookup("nr = ?1 AND wert = ?2", {m_strNr.str(), m_strValue.str()}, "kuerzel");
}

int CJParPool::GetByTeilKuerzel(bool last)
{
    // A key range rather than a LIKE: the key may hold "%" or "_", and the
    // range uses the primary key's order.
    const std::string prefixEnd = CDBStorePath::PrefixEnd(m_strKey.str());
    const char* order = last ? "kuerzel DESC" : "kuerzel";
    if (prefixEnd.empty())
        return Lookup("nr = ?1 AND kuerzel >= ?2", {m_strNr.str(), m_strKey.str()}, order);
    return Lookup("nr = ?1 AND kuerzel >= ?2 AND kuerzel < ?3", {m_strNr.str(), m_strKey.str(), prefixEnd}, order);
}

bool CJParPool::WriteValue(const CString& context)
{
    CVKDatabase& database = *GetDatabase();
    const CString what = context.IsEmpty() ? GetTableName() : context;
    if (IsForwardOnly())
        return database.Fail(what + ": Speichern nicht möglich, der Datensatz ist nur zum Lesen geöffnet"_ansi);
    CVKQuery query(database, "INSERT INTO parpool(nr, kuerzel, wert) VALUES(?1, ?2, ?3) "
                             "ON CONFLICT(nr, kuerzel) DO UPDATE SET wert = excluded.wert");
    query.Bind(1, m_strNr).Bind(2, m_strKey).Bind(3, m_strValue);
    return query.Run() || database.Fail(what + ": Speichern fehlgeschlagen, " + database.GetLastError());
}
