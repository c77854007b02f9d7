#pragma once
#include "vkwpfcpp/WPFRoutedEvent.h"

// Values of CWPFMouseButtonEvent::GetChangedButton.
enum EVKMouseButton { VKMouseButtonLeft = 0, VKMouseButtonMiddle = 1, VKMouseButtonRight = 2 };

// A mouse button went down twice on an element. On a list the row under the
// pointer is given, -1 when the pointer was below the last row.
class CWPFMouseButtonEvent : public CWPFRoutedEvent {
public:
    CWPFMouseButtonEvent(CWPFWndBase* source, EVKMouseButton button, int row)
        : CWPFRoutedEvent(source), m_button(button), m_nRow(row)
    {
    }

    EVKMouseButton GetChangedButton() const { return m_button; }
    int GetRow() const { return m_nRow; }

private:
    EVKMouseButton m_button;
    int m_nRow;
};
