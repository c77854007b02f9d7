#include "dbdll/JPatSuche.h"

#include "vkdb/VKField.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKSortKeyFunction.h"

namespace {

// Each branch reads its own index range and keeps its first rows by name,
// up to the limit, so that the first rows by name of their union (at most
// three times the limit) are the true first ones. An empty key finds every
// patient in each branch, so the surname's alone gives them. The upper bound
// is the key followed by 0xFF, a byte that no key holds (MakeKY folds it to
// "Y").
constexpr const char* SearchSql =
    "SELECT patnr, name, vorname, gebdat FROM pat WHERE rowid IN ("
    " SELECT rowid FROM (SELECT rowid FROM pat WHERE j3key(name) >= ?1 AND j3key(name) < ?2"
    "  ORDER BY j3key(name), j3key(vorname), patnr LIMIT ?3) AS byname"
    " UNION SELECT rowid FROM (SELECT rowid FROM pat"
    "  WHERE length(?1) > 0 AND j3key(vorname) >= ?1 AND j3key(vorname) < ?2"
    "  ORDER BY j3key(name), j3key(vorname), patnr LIMIT ?3) AS byfirstname"
    " UNION SELECT rowid FROM (SELECT rowid FROM pat"
    "  WHERE length(?1) > 0 AND j3key(patnr) >= ?1 AND j3key(patnr) < ?2"
    "  ORDER BY j3key(name), j3key(vorname), patnr LIMIT ?3) AS bynumber)"
    " ORDER BY j3key(name), j3key(vorname), patnr LIMIT ?3";

} // namespace

bool CJPatSuche::Find(const CString& fragment, int limit, std::vector<SPatTreffer>& result)
{
    result.clear();
    CString trimmed = fragment;
    trimmed.Trim();
    const CString key = CVKField::MakeKY(trimmed, CVKSortKeyFunction::MaxLength);
    CVKQuery query(m_database, SearchSql);
    query.Bind(1, key).Bind(2, key + "\xFF").Bind(3, static_cast<std::int64_t>(limit));
    while (query.Next())
        result.push_back({query.ColumnText(0), query.ColumnText(1), query.ColumnText(2), query.ColumnText(3)});
    if (query.Failed()) {
        result.clear();
        return false;
    }
    return true;
}
