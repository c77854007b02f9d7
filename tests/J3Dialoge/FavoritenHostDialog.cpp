#include "FavoritenHostDialog.h"

CFavoritenHostDialog::CFavoritenHostDialog(SFavoProgramm* programme, const char** categories)
    : CWPFDialog("test/FavoritenHost", "j3wpfcs", nullptr), m_pProgramme(programme), m_ppszCategories(categories)
{
}

CWPFWndBase* CFavoritenHostDialog::OnInitDialog()
{
    m_host.Attach(this, "FavoritenHost");
    m_tab = std::make_unique<CTestFavoriten>(this, m_pProgramme, m_ppszCategories);
    if (m_prepare)
        m_prepare(*m_tab);
    m_tab->CreateButtons();
    m_tab->Create(&m_host);
    if (m_afterCreate)
        m_afterCreate(*m_tab);
    return CWPFDialog::OnInitDialog();
}

void CFavoritenHostDialog::OnClosing(bool& cancel)
{
    m_tab->OnClosed();
    CWPFDialog::OnClosing(cancel);
}
