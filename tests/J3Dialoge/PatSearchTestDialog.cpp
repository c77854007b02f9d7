#include "PatSearchTestDialog.h"

CPatSearchTestDialog::CPatSearchTestDialog() : CDiaPatSearchEdit("test/DiaPatSearchTestDialog", "j3wpfcs", nullptr)
{
    m_bNoPlacement = true;
}

bool CPatSearchTestDialog::OnExitPatSearch()
{
    const bool changed = CDiaPatSearchEdit::OnExitPatSearch();
    m_exitResults.push_back(changed);
    return changed;
}

void CPatSearchTestDialog::OnSearch()
{
    DoPatSearch();
}
