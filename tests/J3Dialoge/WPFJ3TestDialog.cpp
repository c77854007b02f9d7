#include "WPFJ3TestDialog.h"

CWPFJ3TestDialog::CWPFJ3TestDialog(const CString& markupKey) : CWPFJ3Dialog(markupKey, "j3wpfcs", nullptr)
{
}

CWPFWndBase* CWPFJ3TestDialog::OnInitDialog()
{
    CWPFWndBase* root = CWPFJ3Dialog::OnInitDialog();
    if (m_bEndAtInit)
        EndDialog(2);
    return root;
}

void CWPFJ3TestDialog::OnClosing(bool& cancel)
{
    if (m_beforeClosing)
        m_beforeClosing();
    CWPFJ3Dialog::OnClosing(cancel);
}
