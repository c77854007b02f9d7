#pragma once
#include "vkwpfcpp/WPFWndBase.h"

// A read-only text (a QLabel in the markup).
class CWPFVKTextBlock : public CWPFWndBase {
public:
    CString GetText() const;
    void SetText(const CString& text);

protected:
    bool CanAttach(QObject* element) const override;
};
