#pragma once
#include "vkwpfcpp/WPFRoutedEvent.h"

// A key went down in an element. The key is Qt's key code (Qt::Key_Return,
// Qt::Key_F3, ...), the modifiers Qt's keyboard modifier bits.
class CWPFKeyEvent : public CWPFRoutedEvent {
public:
    CWPFKeyEvent(CWPFWndBase* source, int key, int modifiers)
        : CWPFRoutedEvent(source), m_nKey(key), m_nModifiers(modifiers)
    {
    }

    int GetKey() const { return m_nKey; }
    int GetModifiers() const { return m_nModifiers; }

private:
    int m_nKey;
    int m_nModifiers;
};
