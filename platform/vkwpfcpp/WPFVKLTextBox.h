#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFWndBase.h"

#include <Qt>

class CWPFRoutedEvent;
class CWPFTextChangedEvent;
class CWPFKeyEvent;
class CWPFKeyboardFocusChangedEvent;
class QLineEdit;

// A one-line text box (a QLineEdit in the markup).
class CWPFVKLTextBox : public CWPFWndBase {
public:
    CString GetData() const;
    void SetData(const CString& text);
    void Clear();
    void SelectAll();
    void SetIsReadOnly(bool readOnly);
    bool GetIsReadOnly() const;

    // Return or Enter pressed in the box. When the box has return-key
    // handlers the key stops there and does not press the dialog's default
    // button.
    void DoAddOnReturnKey(CWPFEventHandlerOf<CWPFRoutedEvent>* handler);
    // Any key pressed in the box; a handler that sets Handled swallows it.
    void DoAddOnKeyDown(CWPFEventHandlerOf<CWPFKeyEvent>* handler);
    void DoAddOnTextChanged(CWPFEventHandlerOf<CWPFTextChangedEvent>* handler);
    // The box got or lost the focus; a box or window opening over the
    // dialog does not count as losing it.
    void DoAddOnGotKeyboardFocus(CWPFEventHandlerOf<CWPFKeyboardFocusChangedEvent>* handler);
    void DoAddOnLostKeyboardFocus(CWPFEventHandlerOf<CWPFKeyboardFocusChangedEvent>* handler);

protected:
    bool CanAttach(QObject* element) const override;
    void OnAttached() override;

private:
    QLineEdit* LineEdit() const;
    bool OnKeyPress(int key, int modifiers);
    void OnFocusChange(bool got, Qt::FocusReason reason);

    CWPFEventList m_onReturnKey;
    CWPFEventList m_onKeyDown;
    CWPFEventList m_onTextChanged;
    CWPFEventList m_onGotFocus;
    CWPFEventList m_onLostFocus;
    bool m_bHasFocus = false;
};
