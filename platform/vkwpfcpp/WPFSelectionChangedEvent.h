#pragma once
#include "vkwpfcpp/WPFRoutedEvent.h"

#include <vector>

// The selection of a list changed: the rows that joined it and the rows that
// left it, each in ascending order.
class CWPFSelectionChangedEvent : public CWPFRoutedEvent {
public:
    CWPFSelectionChangedEvent(CWPFWndBase* source, std::vector<int> addedRows, std::vector<int> removedRows)
        : CWPFRoutedEvent(source), m_addedRows(std::move(addedRows)), m_removedRows(std::move(removedRows))
    {
    }

    const std::vector<int>& GetAddedRows() const { return m_addedRows; }
    const std::vector<int>& GetRemovedRows() const { return m_removedRows; }

private:
    std::vector<int> m_addedRows;
    std::vector<int> m_removedRows;
};
