#include "J3Dialoge/WPFDiaJoin.h"

#include "msgbox/Boxes.h"
#include "winpath/AnsiLiteral.h"

#include <QDialog>

namespace {

// Caption 6 and the text numbers are the suite's own texts.
constexpr int Caption = 6;
constexpr int NoProgressBoxText = 7057;
// The style word of the merge's progress box, as the message library knows it.
constexpr unsigned int ProgressStyle = 1515209224u;

} // namespace

CWPFDiaJoin::CWPFDiaJoin(const CString& markupKey, const CString& resourceAssembly, QWidget* parent,
                         const CString& param)
    : CWPFJ3Dialog(markupKey, resourceAssembly, parent), m_strParam(param)
{
}

void CWPFDiaJoin::DoZoom(const std::vector<CString>&)
{
}

CWPFWndBase* CWPFDiaJoin::OnInitDialog()
{
    CWPFWndBase* root = CWPFJ3Dialog::OnInitDialog();
    m_Liste.Attach(this, "VKLISTE");
    m_Text.Attach(this, "VKTEXT");
    m_Liste.BindMatrix(&m_Matrix);
    DoFillListe();
    if (m_Matrix.Count() == 0) {
        Halt(Caption, "Keine passenden Einträge gefunden!"_ansi, nullptr);
        EndDialog(2);
    }
    return root;
}

void CWPFDiaJoin::OnSaveAndExit()
{
    if (SollIch(Caption, "Soll die Zusammenführung nun gestartet werden?"_ansi, GetWindow()) != BOX_YES)
        return;
    if (!J3OpenProgressBox(GetWindow(), "", 0, ProgressStyle, 0, 0)) {
        HaltE(Caption, NoProgressBoxText, GetWindow());
        EndDialog(2);
        return;
    }
    std::vector<CString> keys;
    const int rows = m_Matrix.Count();
    for (int row = 0; row < rows; ++row) {
        if (!m_Matrix.GetFlag(row, TickColumn))
            continue;
        J3UpdateProgressBox2(row, rows);
        J3SetProgressBoxText(m_Matrix.GetText(row, KeyColumn), 0, 0);
        keys.push_back(m_Matrix.GetText(row, KeyColumn));
    }
    m_strJoinNote.Empty();
    if (!keys.empty() && DoJoin(keys))
        HaltI(Caption,
              "Zusammenführung erfolgreich durchgeführt."_ansi +
                  (m_strJoinNote.IsEmpty() ? CString() : "\n" + m_strJoinNote),
              GetWindow());
    J3CloseProgressBox();
    EndDialog(1);
}

void CWPFDiaJoin::OnZoom()
{
    std::vector<CString> keys;
    for (int row = 0; row < m_Matrix.Count(); ++row)
        if (m_Matrix.GetFlag(row, TickColumn))
            keys.push_back(CString(m_Matrix.GetText(row, KeyColumn)).MakeLower());
    if (keys.empty())
        Halt(Caption, "Nichts ausgewählt!"_ansi, GetWindow());
    else
        DoZoom(keys);
}
