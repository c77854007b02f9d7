#include "dbdll/JPatMergeTrail.h"

#include "vkdb/VKQuery.h"

bool CJPatMergeTrail::Record(const CString& duplicateNr, const CString& keptNr)
{
    CVKQuery forward(m_database, "UPDATE patmerge SET neunr = ?1 WHERE neunr = ?2");
    // A number given again after its patient was merged away may be merged
    // away again: its old entry gives way to a new one, which comes after
    // every other (Newest), so the old one is renamed out of the way first.
    const CString retired = duplicateNr + CString('\0', 1);
    CVKQuery retire(m_database, "UPDATE patmerge SET altnr = ?2 WHERE altnr = ?1");
    CVKQuery record(m_database, "INSERT INTO patmerge(altnr, neunr) VALUES(?1, ?2)");
    CVKQuery remove(m_database, "DELETE FROM patmerge WHERE altnr = ?1");
    return forward.Bind(1, keptNr).Bind(2, duplicateNr).Run() && retire.Bind(1, duplicateNr).Bind(2, retired).Run() &&
           record.Bind(1, duplicateNr).Bind(2, keptNr).Run() && remove.Bind(1, retired).Run();
}

CString CJPatMergeTrail::Follow(const CString& patNr)
{
    CVKQuery query(m_database,
                   "SELECT neunr FROM patmerge WHERE altnr = ?1 AND NOT EXISTS (SELECT 1 FROM pat WHERE patnr = ?1)");
    query.Bind(1, patNr);
    return query.Next() ? query.ColumnText(0) : patNr;
}

std::int64_t CJPatMergeTrail::Newest()
{
    CVKQuery query(m_database, "SELECT coalesce(max(rowid), 0) FROM patmerge");
    return query.Next() ? query.ColumnInt64(0) : 0;
}
