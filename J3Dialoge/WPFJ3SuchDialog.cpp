#include "J3Dialoge/WPFJ3SuchDialog.h"

#include "vkwpfcpp/VKButtonClass.h"

CWPFJ3SuchDialog::CWPFJ3SuchDialog(const CString& markupKey, const CString& resourceAssembly, QWidget* parent,
                                   bool select)
    : CWPFJ3Dialog(markupKey, resourceAssembly, parent), m_bSelect(select)
{
}

CWPFWndBase* CWPFJ3SuchDialog::OnInitDialog()
{
    CWPFWndBase* root = CWPFJ3Dialog::OnInitDialog();
    ShowAndEnable(VKButtonSelect, m_bSelect);
    ShowAndEnable(VKButtonOK, m_bSelect);
    return root;
}

void CWPFJ3SuchDialog::OnExit()
{
    EndDialog(0);
}

void CWPFJ3SuchDialog::OnSaveAndExit()
{
    EndDialog(1);
}

void CWPFJ3SuchDialog::DoRestartGrid(bool run)
{
    SetIsEnabled(VKButtonPrint, run);
    SetIsEnabled(VKButtonOK, run);
    ResetGrid();
    if (run)
        FillGrid();
}
