#include "J3Dialoge/DBEntrySorter.h"

#include <algorithm>
#include <string_view>

namespace {

// What one comparison needs, side by side in one array: sorting a million
// entries then neither converts, allocates nor looks elsewhere per
// comparison.
struct SSortKey {
    std::string_view name;
    const SFileAttributes* attributes = nullptr;
    std::uint32_t entry = 0;
};

template <typename Key> bool Before(const Key& a, const Key& b, bool ascending)
{
    return ascending ? a < b : b < a;
}

bool KeyBefore(const SSortKey& a, const SSortKey& b, CDBEntrySorter::ESortCriteria criteria, bool ascending)
{
    if (a.attributes->isDirectory != b.attributes->isDirectory)
        return ascending ? a.attributes->isDirectory : b.attributes->isDirectory;
    switch (criteria) {
    case CDBEntrySorter::SORT_BY_LAST_CHANGE:
        return Before(a.attributes->lastWriteTime, b.attributes->lastWriteTime, ascending);
    case CDBEntrySorter::SORT_BY_SIZE:
        return Before(a.attributes->size, b.attributes->size, ascending);
    default:
        // std::string_view compares with char_traits<char>, which orders
        // bytes as unsigned char and a proper prefix first.
        return Before(a.name, b.name, ascending);
    }
}

// Thrown out of a comparison to end a sort that is no longer wanted.
struct SSortCancelled {};
constexpr std::uint32_t kComparisonsBetweenCancelChecks = 4096;

CDBEntrySorter::ESortCriteria CriteriaOf(int value)
{
    return value == CDBEntrySorter::SORT_BY_LAST_CHANGE || value == CDBEntrySorter::SORT_BY_SIZE
               ? static_cast<CDBEntrySorter::ESortCriteria>(value)
               : CDBEntrySorter::SORT_BY_NAME;
}

} // namespace

void CDBEntrySorter::SetSortCriteria(ESortCriteria criteria)
{
    if (criteria == m_sortCriteria)
        m_sortAscending = !m_sortAscending;
    else
        m_sortCriteria = criteria;
}

void CDBEntrySorter::RestoreSortState(int criteria, bool ascending)
{
    m_sortCriteria = CriteriaOf(criteria);
    m_sortAscending = ascending;
}

CDBEntrySorter::RowOrder CDBEntrySorter::SortElementsForDisplay(const CDBDirectoryEntries& entries,
                                                                const std::atomic<bool>* cancelled) const
{
    std::vector<SSortKey> keys(entries.size());
    for (std::uint32_t i = 0; i < keys.size(); ++i)
        keys[i] = {entries.Name(i), &entries.Attributes(i), i};

    const ESortCriteria criteria = CriteriaOf(m_sortCriteria);
    const bool ascending = m_sortAscending;
    std::uint32_t comparisons = 0;
    const auto before = [criteria, ascending, cancelled, &comparisons](const SSortKey& a, const SSortKey& b) {
        if (cancelled && ++comparisons % kComparisonsBetweenCancelChecks == 0 &&
            cancelled->load(std::memory_order_relaxed))
            throw SSortCancelled{};
        return KeyBefore(a, b, criteria, ascending);
    };
    // The store lists in nearly this order already, and a click on the same
    // header only turns it round: both cost one pass instead of a sort.
    try {
        if (std::is_sorted(keys.rbegin(), keys.rend(), before))
            std::reverse(keys.begin(), keys.end());
        else if (!std::is_sorted(keys.begin(), keys.end(), before))
            std::sort(keys.begin(), keys.end(), before);
    } catch (const SSortCancelled&) {
        return {};
    }
    RowOrder order(keys.size());
    std::transform(keys.begin(), keys.end(), order.begin(), [](const SSortKey& key) { return key.entry; });
    return order;
}
