#include "dbdll/JBeh.h"

CJBeh::CJBeh(CVKDatabase* database, void* reserved) : CVKRSet(database, reserved, "BEH")
{
    AddField("patnr", m_strPatNr);
    AddField("datum", m_strDatum);
    AddField("leistung", m_strLeistung);
    AddField("text", m_strText);
}

int CJBeh::GetByK1(int matchMode)
{
    if (matchMode != 0)
        return DB_ERROR;
    return Lookup("patnr = ?1 AND datum = ?2", {m_strPatNr.str(), m_strDatum.str()}, "leistung");
}
