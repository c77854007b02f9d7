#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFWndBase.h"

class CWPFRoutedEvent;
class QAbstractButton;

// A push button (any QAbstractButton in the markup).
class CWPFVKButton : public CWPFWndBase {
public:
    CString GetText() const;
    void SetText(const CString& text);
    // Presses the button as a click of the user would (nothing when disabled).
    void Click();

    void DoAddOnClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler);

protected:
    bool CanAttach(QObject* element) const override;
    void OnAttached() override;
    QAbstractButton* Button() const;

private:
    CWPFEventList m_onClick;
};
