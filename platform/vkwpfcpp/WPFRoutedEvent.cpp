#include "vkwpfcpp/WPFRoutedEvent.h"

#include "vkwpfcpp/WPFWndBase.h"

CWPFRoutedEvent::CWPFRoutedEvent(CWPFWndBase* source, int columnIndex) : m_pSource(source), m_nColumnIndex(columnIndex)
{
}

CWPFRoutedEvent::~CWPFRoutedEvent() = default;

CString CWPFRoutedEvent::GetSourceName() const
{
    return m_pSource ? m_pSource->GetName() : CString();
}
