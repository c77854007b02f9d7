#include "dbdll/JProtokoll.h"

CJProtokoll::CJProtokoll(CVKDatabase* database, void* reserved) : CVKRSet(database, reserved, "protokoll")
{
    AddField("patnr", m_strPatNr);
    AddField("art", m_strArt);
    AddField("status", m_strStatus);
    AddField("funktion", m_strFunktion);
    AddField("text", m_strText);
}

int CJProtokoll::GetByK1(int matchMode)
{
    if (matchMode != 0)
        return DB_ERROR;
    return Lookup("patnr = ?1", {m_strPatNr.str()}, "rowid DESC");
}
