#pragma once
#include "J3Dialoge/WPFJ3Dialog.h"

#include <functional>

// A dialog of the suite for the tests: a text box on the base dialog. Like
// every dialog without a patient, it shows its own eInfo notes when its
// content is first shown and stores them when it closes.
class CWPFJ3TestDialog : public CWPFJ3Dialog {
public:
    explicit CWPFJ3TestDialog(const CString& markupKey = "test/WPFJ3TestDialog");

    CWPFWndBase* OnInitDialog() override;
    void OnClosing(bool& cancel) override;

    void KeepNoPlacement() { m_bNoPlacement = true; }

    // Ends the dialog before it shows, as a dialog that refuses to open.
    bool m_bEndAtInit = false;
    // Run when closing starts, before the base dialog saves anything.
    std::function<void()> m_beforeClosing;
};
