#pragma once
#include "vkwpfcpp/WPFEventHandler.h"

#include <memory>
#include <vector>

// The handlers of one event of one element, raised in the order they were
// added.
class CWPFEventList {
public:
    void Add(CWPFEventHandler* handler); // takes ownership; null is ignored
    bool IsEmpty() const { return m_handlers.empty(); }
    void Raise(CWPFRoutedEvent& event);

private:
    std::vector<std::unique_ptr<CWPFEventHandler>> m_handlers;
};
