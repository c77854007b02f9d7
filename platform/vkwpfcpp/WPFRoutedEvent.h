#pragma once
#include "vkbasis/CString.h"

class CWPFWndBase;

// An event raised by an element of a dialog and handed to the handlers that
// were registered on it. Derived events carry what their kind adds.
class CWPFRoutedEvent {
public:
    // columnIndex is the clicked column of a column-header click and -1 for
    // every other event.
    explicit CWPFRoutedEvent(CWPFWndBase* source, int columnIndex = -1);
    virtual ~CWPFRoutedEvent();

    // The element that raised the event.
    CWPFWndBase* GetSource() const { return m_pSource; }
    CString GetSourceName() const;
    int GetColumnIndex() const { return m_nColumnIndex; }

    // A handler that sets Handled stops the element's own reaction where it
    // has one (a return key no longer reaches the dialog's default button).
    bool GetHandled() const { return m_bHandled; }
    void SetHandled(bool handled) { m_bHandled = handled; }

private:
    CWPFWndBase* m_pSource;
    int m_nColumnIndex;
    bool m_bHandled = false;
};
