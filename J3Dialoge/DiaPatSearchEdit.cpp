#include "J3Dialoge/DiaPatSearchEdit.h"

#include "J3Dialoge/J3SysBaseLoadProc.h"
#include "dbdll/JPat.h"
#include "msgbox/Boxes.h"
#include "vkbasis/DateUtils.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "vkwpfcpp/WPFEventCall.h"
#include "vkwpfcpp/WPFKeyboardFocusChangedEvent.h"
#include "vkwpfcpp/WPFText.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace {

constexpr int PatNrLength = 10;

// The patient choice of "j3patwahl.dll": 0, the search text, the chosen
// number (written); true when a patient was chosen.
using PatWahlProc = bool (*)(int, const CString&, CString&);

// Blanks off both ends, then blanks in front up to ten characters.
void TrimAndPad(CString& text)
{
    text.Trim();
    if (text.GetLength() < PatNrLength)
        text = CString(' ', PatNrLength - text.GetLength()) + text;
}

} // namespace

CDiaPatSearchEdit::CDiaPatSearchEdit(const CString& markupKey, const CString& resourceAssembly, QWidget* parent)
    : CWPFJ3Dialog(markupKey, resourceAssembly, parent)
{
}

CWPFWndBase* CDiaPatSearchEdit::OnInitDialog()
{
    CWPFWndBase* root = CWPFJ3Dialog::OnInitDialog();
    m_editPat.Attach(this, "VKS_PAT");
    m_editPat.DoAddOnGotKeyboardFocus(
        new CWPFEventCall<CDiaPatSearchEdit, CWPFKeyboardFocusChangedEvent>(this, &CDiaPatSearchEdit::OnOnEnterVksPat));
    m_editPat.DoAddOnLostKeyboardFocus(
        new CWPFEventCall<CDiaPatSearchEdit, CWPFKeyboardFocusChangedEvent>(this, &CDiaPatSearchEdit::OnOnExitVksPat));
    // The search button acts on the field, so a click on it must leave the
    // focus there; until the field has the focus there is nothing to search.
    if (QPushButton* search = GetFrameButton(VKButtonSearch))
        search->setFocusPolicy(Qt::NoFocus);
    if (!m_editPat.HasFocus())
        DisableSearch();
    return root;
}

void CDiaPatSearchEdit::OnOnEnterVksPat(CWPFKeyboardFocusChangedEvent&)
{
    OnEnterPatSearch();
}

void CDiaPatSearchEdit::OnOnExitVksPat(CWPFKeyboardFocusChangedEvent&)
{
    OnExitPatSearch();
}

bool CDiaPatSearchEdit::OnEnterPatSearch()
{
    EnableSearch();
    m_editPat.SelectAll();
    return true;
}

bool CDiaPatSearchEdit::OnExitPatSearch()
{
    DisableSearch();
    if (m_editPat.GetData().IsEmpty()) {
        m_strPatNr.Empty();
        return false;
    }
    if (m_bNoExitCheck || !IsStorable())
        return false;
    return DoExitPatient(m_strPatNr, m_editPat);
}

void CDiaPatSearchEdit::EnableSearch()
{
    SetIsEnabled(VKButtonSearch, true);
}

void CDiaPatSearchEdit::DisableSearch()
{
    SetIsEnabled(VKButtonSearch, false);
}

bool CDiaPatSearchEdit::IsStorable()
{
    const auto* edit = qobject_cast<const QLineEdit*>(m_editPat.GetElement());
    if (!edit)
        return true;
    const QString typed = edit->text();
    const QString stored = CWPFText::ToQString(CWPFText::FromQString(typed));
    if (typed == stored)
        return true;
    qsizetype first = 0;
    while (first < typed.size() && first < stored.size() && typed[first] == stored[first])
        ++first;
    // The 8-bit box text cannot show the character itself: name its place.
    const CString text = "Das " + CString(std::to_string(first + 1)) +
                         ". Zeichen der Eingabe kann in einer Patientennummer oder einem Namen nicht vorkommen."
                         " Bitte korrigieren Sie die Eingabe.";
    HaltI("Hinweis", text, GetWindow());
    return false;
}

bool CDiaPatSearchEdit::DoExitPatient(CString& nr, CWPFVKLTextBox& field)
{
    const CString before = nr;
    CString text = field.GetData();
    if (const int dash = text.Find('-'); dash >= 0)
        text = text.Left(dash);
    if (text.GetLength() < PatNrLength)
        TrimAndPad(text);
    nr = text.Left(PatNrLength);
    TrimAndPad(nr);
    CString name;
    if (!GetPatName(nr, name))
        return SuchePat(nr, field);
    field.SetData(nr + "-" + name);
    return nr != before;
}

bool CDiaPatSearchEdit::SuchePat(CString& nr, CWPFVKLTextBox& field)
{
    CString name;
    if (GetPatAusWahl(nr, name)) {
        field.SetData(nr + "-" + name);
        return true;
    }
    field.Clear();
    nr.Empty();
    return false;
}

bool CDiaPatSearchEdit::GetPatAusWahl(CString& nr, CString& name)
{
    CString search = nr;
    search.TrimLeft();
    const auto choose = LoadProcAs<PatWahlProc>("j3patwahl.dll", "J3sPatWahl");
    if (!choose || !choose(0, search, nr))
        return false;
    return GetPatName(nr, name);
}

bool CDiaPatSearchEdit::GetPatName(const CString& nr, CString& name)
{
    CJPat patient(&dbDatabase, nullptr);
    patient.m_strPatNr = nr;
    if (patient.GetByK1(0) != CVKRSet::FOUND)
        return false;
    name = BuildPatName(patient);
    return true;
}

CString CDiaPatSearchEdit::BuildPatName(CJPat& patient)
{
    CString name = patient.m_strName;
    if (!patient.m_strVorname.IsEmpty())
        name += ", " + patient.m_strVorname;
    if (!patient.m_strGebDat.IsEmpty())
        name += " *" + Db2Date(patient.m_strGebDat);
    return name;
}

bool CDiaPatSearchEdit::DoPatSearch()
{
    if (!m_editPat.HasFocus())
        return false;
    return SuchePat(m_strPatNr, m_editPat);
}
