#pragma once
#include "vkwpfcpp/WPFRoutedEvent.h"

// An element got or lost the keyboard focus inside its dialog.
class CWPFKeyboardFocusChangedEvent : public CWPFRoutedEvent {
public:
    CWPFKeyboardFocusChangedEvent(CWPFWndBase* source, bool gotFocus) : CWPFRoutedEvent(source), m_bGotFocus(gotFocus)
    {
    }

    bool GotFocus() const { return m_bGotFocus; }

private:
    bool m_bGotFocus;
};
