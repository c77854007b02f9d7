#pragma once
#include "J3Dialoge/WPFJ3Dialog.h"
#include "vkwpfcpp/WPFMatrix.h"
#include "vkwpfcpp/WPFVKLListView.h"
#include "vkwpfcpp/WPFVKTextBlock.h"

#include <vector>

// A merge dialog: the deriving class lists candidate records in the list
// "VKLISTE" (column 0 the tick, column 1 the record's key, columns 2 to 4
// its own), the user ticks the records to merge and confirms; the dialog
// asks, shows a progress box and hands the ticked keys in row order to
// DoJoin. Ends with 2 when there is nothing to merge or no progress box, and
// with 1 after a merge run, successful or not.
class CWPFDiaJoin : public CWPFJ3Dialog {
public:
    CWPFDiaJoin(const CString& markupKey, const CString& resourceAssembly, QWidget* parent, const CString& param);

    // Fills m_Matrix with the candidates.
    virtual void DoFillListe() = 0;
    // Merges the records with these keys; true on success. A failure is the
    // deriving class's to report.
    virtual bool DoJoin(const std::vector<CString>& keys) = 0;
    // Shows the records with these keys (lower-cased).
    virtual void DoZoom(const std::vector<CString>& keys);

    CWPFWndBase* OnInitDialog() override;
    void OnSaveAndExit() override;
    void OnZoom() override;

protected:
    // Column of the tick and of the key in m_Matrix.
    static constexpr int TickColumn = 0;
    static constexpr int KeyColumn = 1;

    CWPFVKLListView m_Liste;
    CWPFVKTextBlock m_Text;
    CString m_strParam;
    CWPFMatrix<5> m_Matrix;
    // What DoJoin adds to the success notice, on a line of its own; empty
    // for the notice alone.
    CString m_strJoinNote;
};
