#include "j3praxis/J3PraxisPatienten.h"

#include "vkbasis/DateUtils.h"
#include "vkdb/VKQuery.h"

#include <iterator>

int CJ3PraxisPatienten::RowsUpTo(int wanted)
{
    // The limit stops the count: it reads wanted rows of an index, not all.
    CVKQuery count(m_database, "SELECT count(*) FROM (SELECT 1 FROM pat LIMIT ?1) AS shown");
    count.Bind(1, static_cast<std::int64_t>(wanted));
    return count.Next() ? static_cast<int>(count.ColumnInt64(0)) : 0;
}

CString CJ3PraxisPatienten::GetText(int row, int column)
{
    if (row < 0 || column < 0 || column >= Columns)
        return CString();
    const std::vector<SRow>& page = Page(row / PageRows);
    const auto inPage = static_cast<std::size_t>(row % PageRows);
    return inPage < page.size() ? page[inPage][static_cast<std::size_t>(column)] : CString();
}

int CJ3PraxisPatienten::RowOf(const CString& patNr)
{
    // A row only when the patient is on file: the count of those before him.
    CVKQuery query(m_database, "SELECT (SELECT count(*) FROM pat WHERE patnr < ?1) FROM pat WHERE patnr = ?1");
    query.Bind(1, patNr);
    return query.Next() ? static_cast<int>(query.ColumnInt64(0)) : -1;
}

const std::vector<CJ3PraxisPatienten::SRow>& CJ3PraxisPatienten::Page(int page)
{
    if (const auto kept = m_pages.find(page); kept != m_pages.end())
        return kept->second;
    // The page farthest from the one asked for goes first.
    if (m_pages.size() >= KeptPages) {
        const auto last = std::prev(m_pages.end());
        m_pages.erase(page - m_pages.begin()->first > last->first - page ? m_pages.begin() : last);
    }
    // A page after one kept starts after its last patient: one seek, where
    // an offset would count every patient before it, and the list is read
    // page after page as it scrolls or is looked through.
    const auto before = m_pages.find(page - 1);
    const bool follows = before != m_pages.end() && before->second.size() == PageRows;
    CVKQuery query(m_database, follows
                                   ? "SELECT name, vorname, gebdat, patnr FROM pat WHERE patnr > ?2 "
                                     "ORDER BY patnr LIMIT ?1"
                                   : "SELECT name, vorname, gebdat, patnr FROM pat ORDER BY patnr LIMIT ?1 OFFSET ?2");
    query.Bind(1, static_cast<std::int64_t>(PageRows));
    if (follows)
        query.Bind(2, before->second.back()[ColNr]);
    else
        query.Bind(2, static_cast<std::int64_t>(page) * PageRows);
    std::vector<SRow>& rows = m_pages[page];
    while (query.Next())
        rows.push_back({query.ColumnText(0), query.ColumnText(1), Db2Date(query.ColumnText(2)), query.ColumnText(3)});
    return rows;
}
