#pragma once
#include "vkwpfcpp/WPFVKButton.h"

class QToolButton;

// A button with a remove part: a small "x" in its top right corner that
// raises its own event (used for buttons the user may take away again).
class CWPFVKXButton : public CWPFVKButton {
public:
    CWPFVKXButton();
    CWPFVKXButton(const CString& name, int buttonClass, int orientation, const CString& text);
    ~CWPFVKXButton() override;

    // Presses the remove part.
    void ClickX();
    void DoAddOnClickX(CWPFEventHandlerOf<CWPFRoutedEvent>* handler);
    // The remove part shows unless switched off.
    void SetShowX(bool show);

protected:
    void OnAttached() override;

private:
    void PlaceRemovePart();

    QPointer<QToolButton> m_removePart;
    CWPFEventList m_onClickX;
    bool m_bShowX = true;
};
