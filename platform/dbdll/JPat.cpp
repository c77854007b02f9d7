#include "dbdll/JPat.h"

CJPat::CJPat(CVKDatabase* database, void* reserved) : CVKRSet(database, reserved, "pat")
{
    AddField("patnr", m_strPatNr);
    AddField("name", m_strName);
    AddField("vorname", m_strVorname);
    AddField("gebdat", m_strGebDat);
    AddField("indexmarker", m_strIndexMarker);
    AddField("emoji1", m_strEmoji1);
    AddField("emoji2", m_strEmoji2);
}

int CJPat::GetByK1(int matchMode)
{
    if (matchMode != 0)
        return DB_ERROR;
    return Lookup("patnr = ?1", {m_strPatNr.str()}, nullptr);
}

int CJPat::GetNextByNr()
{
    return Lookup("patnr > ?1", {m_strPatNr.str()}, "patnr");
}

void CJPat::GetEmoji(CString& first, CString& second) const
{
    first = m_strEmoji1;
    second = m_strEmoji2;
}
