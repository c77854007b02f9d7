#include "dbdll/JPatDubletten.h"

#include "vkdb/VKQuery.h"

namespace {

// The group's keys come from the patient asked for or, without one, from
// the first folded name and birth date that more than one patient shares;
// the patient asked for sorts first.
constexpr const char* GroupSql =
    "WITH wanted(namekey, vornamekey, datum) AS ("
    "  SELECT j3key(name), j3key(vorname), gebdat FROM pat WHERE ?1 <> ?2 AND patnr = ?1"
    "  UNION ALL SELECT * FROM (SELECT j3key(name), j3key(vorname), gebdat FROM pat WHERE ?1 = ?2"
    "   GROUP BY 1, 2, 3 HAVING count(*) > 1 ORDER BY 1, 2, 3 LIMIT 1) AS shared)"
    " SELECT patnr, name, vorname, gebdat FROM pat, wanted"
    " WHERE j3key(name) = wanted.namekey AND j3key(vorname) = wanted.vornamekey AND gebdat = wanted.datum"
    " ORDER BY patnr <> ?1, patnr";

} // namespace

bool CJPatDubletten::Find(const CString& patNr, std::vector<SPatTreffer>& group)
{
    group.clear();
    CVKQuery query(m_database, GroupSql);
    query.Bind(1, patNr).Bind(2, std::string_view());
    while (query.Next())
        group.push_back({query.ColumnText(0), query.ColumnText(1), query.ColumnText(2), query.ColumnText(3)});
    if (query.Failed()) {
        group.clear();
        return false;
    }
    if (group.size() < 2)
        group.clear();
    return true;
}
