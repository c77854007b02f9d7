#include "j3patwahl/DiaPatWahl.h"

#include "msgbox/Boxes.h"

#include "vkbasis/DateUtils.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/WPFEventCall.h"
#include "vkwpfcpp/WPFKeyEvent.h"
#include "vkwpfcpp/WPFMouseButtonEvent.h"
#include "vkwpfcpp/WPFTextChangedEvent.h"
#include "winpath/AnsiLiteral.h"
#include <QDialog>
#include <QLineEdit>

#include <Qt>
#include <algorithm>
#include <string>

namespace {

enum EColumn { ColumnNr, ColumnName, ColumnVorname, ColumnGebDat };

} // namespace

CDiaPatWahl::CDiaPatWahl(QWidget* parent, const CString& search)
    : CWPFJ3SuchDialog("jt/j3patwahl/DiaPatWahl", "j3wpfcs", parent, true), m_strSuche(search)
{
    SetHelpName(__FILE__);
}

CWPFWndBase* CDiaPatWahl::OnInitDialog()
{
    CWPFWndBase* root = CWPFJ3SuchDialog::OnInitDialog();
    m_editSuche.Attach(this, "VKLTEXTBOX_SUCHE");
    m_lListe.Attach(this, "VKLLISTVIEW_PATIENTEN");
    m_textAnzahl.Attach(this, "VKTEXTBLOCK_ANZAHL");
    // Fixed widths: the columns keep their place while the rows change with
    // every keystroke.
    m_lListe.AddTextBlockColumn("Nummer", 90, 2, "");
    m_lListe.AddTextBlockColumn("Name", 170, 0, "");
    m_lListe.AddTextBlockColumn("Vorname", 130, 0, "");
    m_lListe.AddTextBlockColumn("Geburtsdatum", 0, 0, "");
    m_lListe.BindMatrix(&m_matrix);
    m_editSuche.SetData(m_strSuche);
    m_editSuche.DoAddOnTextChanged(
        new CWPFEventCall<CDiaPatWahl, CWPFTextChangedEvent>(this, &CDiaPatWahl::OnTextChangedSuche));
    m_editSuche.DoAddOnReturnKey(new CWPFEventCall<CDiaPatWahl, CWPFRoutedEvent>(this, &CDiaPatWahl::OnReturnSuche));
    m_editSuche.DoAddOnKeyDown(new CWPFEventCall<CDiaPatWahl, CWPFKeyEvent>(this, &CDiaPatWahl::OnKeyDownSuche));
    m_lListe.DoAddOnMouseDoubleClick(
        new CWPFEventCall<CDiaPatWahl, CWPFMouseButtonEvent>(this, &CDiaPatWahl::OnDoubleClickListe));
    DoRestartGrid(true);
    m_editSuche.Focus();
    return root;
}

void CDiaPatWahl::OnContentRendered()
{
    CWPFJ3SuchDialog::OnContentRendered();
    // The caller's text is the start of the search: typing goes on after it.
    if (auto* edit = qobject_cast<QLineEdit*>(m_editSuche.GetElement()))
        edit->end(false);
}

void CDiaPatWahl::ResetGrid()
{
    m_matrix.Clear();
    m_treffer.clear();
}

void CDiaPatWahl::FillGrid()
{
    // One row more than shown tells whether the list is complete.
    CJPatSuche suche(dbDatabaseRO.IsOpen() ? dbDatabaseRO : dbDatabase);
    if (!suche.Find(m_editSuche.GetData(), MaxRows + 1, m_treffer)) {
        m_textAnzahl.SetText("Die Patienten können nicht gelesen werden: "_ansi +
                             (dbDatabaseRO.IsOpen() ? dbDatabaseRO : dbDatabase).GetLastError());
        return;
    }
    const bool more = m_treffer.size() > static_cast<std::size_t>(MaxRows);
    if (more)
        m_treffer.resize(MaxRows);
    for (const SPatTreffer& patient : m_treffer) {
        CString nr = patient.strPatNr;
        m_matrix.DoAdd({nr.Trim(), patient.strName, patient.strVorname, Db2Date(patient.strGebDat)});
    }
    if (m_treffer.empty())
        m_textAnzahl.SetText("Kein Patient gefunden.");
    else if (more)
        m_textAnzahl.SetText("Mehr als " + CString(std::to_string(MaxRows)) + " Patienten; bitte genauer suchen.");
    else
        m_textAnzahl.SetText(CString(std::to_string(m_treffer.size())) +
                             (m_treffer.size() == 1 ? " Patient" : " Patienten"));
    m_lListe.SetSelectedIndex(m_treffer.empty() ? -1 : 0);
}

void CDiaPatWahl::OnTextChangedSuche(CWPFTextChangedEvent&)
{
    DoRestartGrid(true);
}

void CDiaPatWahl::OnReturnSuche(CWPFRoutedEvent&)
{
    OnSaveAndExit();
}

void CDiaPatWahl::OnKeyDownSuche(CWPFKeyEvent& event)
{
    // Up and down move through the list while the typing goes on.
    const int step = event.GetKey() == Qt::Key_Down ? 1 : event.GetKey() == Qt::Key_Up ? -1 : 0;
    if (step == 0 || m_treffer.empty())
        return;
    const int row = std::clamp(m_lListe.GetSelectedIndex() + step, 0, static_cast<int>(m_treffer.size()) - 1);
    m_lListe.SetSelectedIndex(row);
    event.SetHandled(true);
}

void CDiaPatWahl::OnDoubleClickListe(CWPFMouseButtonEvent&)
{
    if (m_lListe.GetSelectedIndex() >= 0)
        OnSaveAndExit();
}

void CDiaPatWahl::OnSaveAndExit()
{
    const int row = m_lListe.GetSelectedIndex();
    if (row < 0 || row >= static_cast<int>(m_treffer.size())) {
        HaltI("Hinweis", "Bitte wählen Sie einen Patienten aus."_ansi, GetWindow());
        return;
    }
    m_strPatNr = m_treffer[static_cast<std::size_t>(row)].strPatNr;
    CWPFJ3SuchDialog::OnSaveAndExit();
}
