#include "dbdll/JPatMergeTrail.h"

#include "vkdb/VKQuery.h"

bool CJPatMergeTrail::Record(const CString& duplicateNr, const CString& keptNr)
{
    CVKQuery forward(m_database, "UPDATE patmerge SET neunr = ?1 WHERE neunr = ?2");
    CVKQuery record(m_database,
                    // A number given again after its patient was merged away may be merged away again.
                    "INSERT INTO patmerge(altnr, neunr) VALUES(?1, ?2) ON CONFLICT(altnr) DO UPDATE SET neunr = ?2");
    return forward.Bind(1, keptNr).Bind(2, duplicateNr).Run() && record.Bind(1, duplicateNr).Bind(2, keptNr).Run();
}

CString CJPatMergeTrail::Follow(const CString& patNr)
{
    CVKQuery query(m_database,
                   "SELECT neunr FROM patmerge WHERE altnr = ?1 AND NOT EXISTS (SELECT 1 FROM pat WHERE patnr = ?1)");
    query.Bind(1, patNr);
    return query.Next() ? query.ColumnText(0) : patNr;
}
