#pragma once
#include "J3Dialoge/WPFJ3Dialog.h"

// A search dialog: the deriving class fills the result grid; this frame
// handles the end codes (0 cancelled, 1 confirmed) and the standard buttons
// around a restart of the grid. With select, the buttons "Auswählen" and
// "OK" are shown and enabled.
class CWPFJ3SuchDialog : public CWPFJ3Dialog {
public:
    CWPFJ3SuchDialog(const CString& markupKey, const CString& resourceAssembly, QWidget* parent, bool select);

    virtual void ResetGrid() = 0;
    virtual void FillGrid() = 0;

    CWPFWndBase* OnInitDialog() override;
    void OnExit() override;
    void OnSaveAndExit() override;

protected:
    // Enables "Drucken" and "OK" as run says, empties the grid and, when
    // run, fills it anew.
    void DoRestartGrid(bool run);

    bool m_bSelect;
    // Kept for the deriving class.
    bool m_bSuchFlag = false;
};
