#pragma once
#include "J3Dialoge/WPFJ3SuchDialog.h"
#include "dbdll/JPatSuche.h"
#include "vkwpfcpp/WPFMatrix.h"
#include "vkwpfcpp/WPFVKLListView.h"
#include "vkwpfcpp/WPFVKLTextBox.h"
#include "vkwpfcpp/WPFVKTextBlock.h"

class CWPFMouseButtonEvent;
class CWPFRoutedEvent;
class CWPFTextChangedEvent;
class CWPFKeyEvent;

// The patient choice: a search box prefilled with the caller's text and the
// patients whose number, surname or first name begins with it (folded as the
// suite folds keys), narrowed with every keystroke. Return in the search box
// or a double-click on a row chooses; Escape cancels.
class CDiaPatWahl : public CWPFJ3SuchDialog {
public:
    // More rows than this make the user type on rather than scroll.
    static constexpr int MaxRows = 200;

    CDiaPatWahl(QWidget* parent, const CString& search);

    CWPFWndBase* OnInitDialog() override;
    void OnContentRendered() override;
    void OnSaveAndExit() override;
    void ResetGrid() override;
    void FillGrid() override;

    // The chosen patient's number after the dialog ended with 1.
    const CString& GetPatNr() const { return m_strPatNr; }

private:
    void OnTextChangedSuche(CWPFTextChangedEvent& event);
    void OnReturnSuche(CWPFRoutedEvent& event);
    void OnKeyDownSuche(CWPFKeyEvent& event);
    void OnDoubleClickListe(CWPFMouseButtonEvent& event);

    CString m_strSuche;
    CString m_strPatNr;
    CWPFVKLTextBox m_editSuche;
    CWPFVKLListView m_lListe;
    CWPFVKTextBlock m_textAnzahl;
    CWPFMatrix<4> m_matrix;
    std::vector<SPatTreffer> m_treffer;
};
