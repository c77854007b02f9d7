#include "J3Dialoge/DBEntrySorter.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "winpath/AnsiCodePage.h"

namespace {

// The 8-bit name of an entry (the last element of its path), as the name
// comparison sees it. A name behind a separator past the root name is taken
// directly from the text; other forms go through the path grammar.
std::string NameKey(const winpath::path& p)
{
    const std::wstring& text = p.native();
    const std::size_t separator = text.find_last_of(L"\\/");
    if (separator != std::wstring::npos && separator >= 2 && separator + 1 < text.size())
        return winpath::WideToAnsi(std::wstring_view(text).substr(separator + 1));
    return winpath::WideToAnsi(p.filename().native());
}

// What one comparison needs, gathered once per entry so that sorting 100,000
// entries neither converts nor allocates per comparison.
struct SSortKey {
    const DBFileEntries::value_type* entry;
    std::string_view name;
    SFileAttributes attributes;
};

bool SortsByName(CDBEntrySorter::ESortCriteria criteria)
{
    return criteria != CDBEntrySorter::SORT_BY_LAST_CHANGE && criteria != CDBEntrySorter::SORT_BY_SIZE;
}

template <typename Key>
bool Before(const Key& a, const Key& b, bool ascending)
{
    return ascending ? a < b : b < a;
}

bool KeyBefore(const SSortKey& a, const SSortKey& b, CDBEntrySorter::ESortCriteria criteria, bool ascending)
{
    if (a.attributes.isDirectory != b.attributes.isDirectory)
        return ascending ? a.attributes.isDirectory : b.attributes.isDirectory;
    switch (criteria) {
    case CDBEntrySorter::SORT_BY_LAST_CHANGE:
        return Before(a.attributes.lastWriteTime, b.attributes.lastWriteTime, ascending);
    case CDBEntrySorter::SORT_BY_SIZE:
        return Before(a.attributes.size, b.attributes.size, ascending);
    default:
        // std::string_view compares with char_traits<char>, which orders
        // bytes as unsigned char and a proper prefix first.
        return Before(a.name, b.name, ascending);
    }
}

} // namespace

void CDBEntrySorter::SetSortCriteria(ESortCriteria criteria)
{
    if (criteria == m_sortCriteria)
        m_sortAscending = !m_sortAscending;
    else
        m_sortCriteria = criteria;
}

bool CDBEntrySorter::CompareFilesByCriteria(const DBFileEntry& a, const DBFileEntry& b, ESortCriteria criteria,
                                            bool ascending)
{
    const std::string nameA = SortsByName(criteria) ? NameKey(a.first) : std::string();
    const std::string nameB = SortsByName(criteria) ? NameKey(b.first) : std::string();
    return KeyBefore({nullptr, nameA, a.second}, {nullptr, nameB, b.second}, criteria, ascending);
}

std::vector<DBFileEntry> CDBEntrySorter::SortElementsForDisplay(const DBFileEntries& entries) const
{
    const bool byName = SortsByName(m_sortCriteria);
    std::vector<std::string> names;
    if (byName) {
        names.reserve(entries.size());
        for (const auto& entry : entries)
            names.push_back(NameKey(entry.first));
    }
    std::vector<SSortKey> keys;
    keys.reserve(entries.size());
    std::size_t index = 0;
    for (const auto& entry : entries)
        keys.push_back({&entry, byName ? std::string_view(names[index++]) : std::string_view(), entry.second});

    const ESortCriteria criteria = m_sortCriteria;
    const bool ascending = m_sortAscending;
    std::sort(keys.begin(), keys.end(),
              [criteria, ascending](const SSortKey& a, const SSortKey& b) { return KeyBefore(a, b, criteria, ascending); });

    std::vector<DBFileEntry> ordered;
    ordered.reserve(keys.size());
    for (const SSortKey& key : keys)
        ordered.emplace_back(key.entry->first, key.entry->second);
    return ordered;
}
