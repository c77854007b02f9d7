#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFWndBase.h"

class CWPFRoutedEvent;
class QAction;

// An entry of a menu or a context menu (a QAction in the markup). Enabling
// and visibility work on the action; collapsed and hidden both hide it.
class CWPFMenuItem : public CWPFWndBase {
public:
    CString GetHeader() const;
    void SetHeader(const CString& header);
    // Chooses the entry as the user would (nothing when disabled).
    void Click();

    void DoAddOnClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler);

protected:
    bool CanAttach(QObject* element) const override;
    void OnAttached() override;

private:
    QAction* Action() const;

    CWPFEventList m_onClick;
};
