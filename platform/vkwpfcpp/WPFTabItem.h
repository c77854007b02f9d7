#pragma once
#include "vkwpfcpp/WPFContentControl.h"

class QTabWidget;

// One page of a tab control (a page of a QTabWidget in the markup).
class CWPFTabItem : public CWPFContentControl {
public:
    CString GetHeader() const;
    void SetHeader(const CString& header);
    bool GetIsSelected() const;
    // Brings the page to the front.
    void Select();

protected:
    bool CanAttach(QObject* element) const override;

private:
    QTabWidget* Tabs() const;
};
