#pragma once
#include "TestFavoriten.h"
#include "vkwpfcpp/WPFDialog.h"

#include <functional>
#include <memory>

// A dialog that hosts the favourites tab over a program table: when it
// opens, the tab is built (after `prepare` chose what the host offers) and
// placed into the dialog; when it closes the tab's elements are destroyed.
class CFavoritenHostDialog : public CWPFDialog {
public:
    CFavoritenHostDialog(SFavoProgramm* programme, const char** categories);

    CWPFWndBase* OnInitDialog() override;
    void OnClosing(bool& cancel) override;

    std::function<void(CTestFavoriten&)> m_prepare;
    std::function<void(CTestFavoriten&)> m_afterCreate;
    std::unique_ptr<CTestFavoriten> m_tab;

private:
    SFavoProgramm* m_pProgramme;
    const char** m_ppszCategories;
    CWPFWndBase m_host;
};
