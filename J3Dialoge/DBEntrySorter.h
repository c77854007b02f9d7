#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

#include "J3Dialoge/DBDirectoryEntries.h"

// The order in which the file dialog shows the entries of a directory, and
// the sort state that a click on a column header changes.
//
// Directories and files are kept apart: ascending shows the directories
// first, descending last. Within each group the entries go by the criterion;
// names compare byte by byte as unsigned 8-bit text (Windows-1252), so
// "Zeta" comes before "alpha" and umlauts after every ASCII letter. Entries
// equal under the criterion end in no defined order.
class CDBEntrySorter {
public:
    // A fixed underlying type, so that any number a caller passes is a value
    // (and sorts by name).
    enum ESortCriteria : int {
        SORT_BY_NAME = 0,
        SORT_BY_LAST_CHANGE = 1,
        SORT_BY_SIZE = 2,
    };
    using RowOrder = std::vector<std::uint32_t>;

    ESortCriteria SortCriteria() const { return m_sortCriteria; }
    bool SortAscending() const { return m_sortAscending; }

    // The same criterion again reverses the direction; another criterion is
    // taken with the direction kept.
    void SetSortCriteria(ESortCriteria criteria);
    // Takes a remembered state as it stands; a criterion other than the
    // three is taken as the name.
    void RestoreSortState(int criteria, bool ascending);

    // The indices of the entries in display order under the current
    // criterion and direction: entry order[row] is shown in that row. When
    // `cancelled` is set meanwhile, the sort gives up and the order is empty.
    RowOrder SortElementsForDisplay(const CDBDirectoryEntries& entries,
                                    const std::atomic<bool>* cancelled = nullptr) const;

private:
    ESortCriteria m_sortCriteria = SORT_BY_NAME;
    bool m_sortAscending = true;
};
