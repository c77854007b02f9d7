#pragma once
#include <vector>

#include "J3Dialoge/FileAttributes.h"

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

    ESortCriteria SortCriteria() const { return m_sortCriteria; }
    bool SortAscending() const { return m_sortAscending; }

    // The same criterion again reverses the direction; another criterion is
    // taken with the direction kept.
    void SetSortCriteria(ESortCriteria criteria);

    // The entries in display order under the current criterion and direction.
    std::vector<DBFileEntry> SortElementsForDisplay(const DBFileEntries& entries) const;

    // True when `a` is shown before `b`; ties answer false both ways. Any
    // value other than the three criteria sorts by name.
    static bool CompareFilesByCriteria(const DBFileEntry& a, const DBFileEntry& b, ESortCriteria criteria,
                                       bool ascending);

private:
    ESortCriteria m_sortCriteria = SORT_BY_NAME;
    bool m_sortAscending = true;
};
