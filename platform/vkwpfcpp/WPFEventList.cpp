#include "vkwpfcpp/WPFEventList.h"

void CWPFEventList::Add(CWPFEventHandler* handler)
{
    if (handler)
        m_handlers.emplace_back(handler);
}

void CWPFEventList::Raise(CWPFRoutedEvent& event)
{
    // A handler may add further handlers; they take part from the next event.
    const std::size_t count = m_handlers.size();
    for (std::size_t i = 0; i < count; ++i)
        m_handlers[i]->Raise(event);
}
