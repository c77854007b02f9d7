#pragma once
#include "vkwpfcpp/WPFRoutedEvent.h"

// The text of a text box changed, by typing or by SetData/Clear.
class CWPFTextChangedEvent : public CWPFRoutedEvent {
public:
    CWPFTextChangedEvent(CWPFWndBase* source, CString text) : CWPFRoutedEvent(source), m_strText(std::move(text)) {}

    const CString& GetText() const { return m_strText; }

private:
    CString m_strText;
};
