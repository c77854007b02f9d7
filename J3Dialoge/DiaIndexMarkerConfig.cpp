#include "J3Dialoge/DiaIndexMarkerConfig.h"

#include "J3Dialoge/BorrowedRSet.h"
#include "dbdll/JParPool.h"
#include "msgbox/Boxes.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"
#include "vkwpfcpp/VKColorRef.h"
#include "vkwpfcpp/WPFApplication.h"

#include <QDialog>

#include <vector>

namespace {

void SetMarkerKey(CJParPool& pool, int marker)
{
    pool.m_strNr = "269";
    pool.m_strKey.Format("indexmrk%02d", marker);
}

CString Numbered(const char* name, int marker)
{
    CString text;
    text.Format("%s%d", name, marker);
    return text;
}

} // namespace

const CRuntimeClass CDiaIndexMarkerConfig::classCDiaIndexMarkerConfig{"CDiaIndexMarkerConfig",
                                                                      &CWPFDialog::classCWPFDialog};

CDiaIndexMarkerConfig::CDiaIndexMarkerConfig(QWidget* parent)
    : CWPFJ3Dialog("jt/j3dialoge/DiaIndexMarkerConfig", "j3wpfcs", parent)
{
    SetHelpName(__FILE__);
}

CWPFWndBase* CDiaIndexMarkerConfig::OnInitDialog()
{
    CWPFWndBase* root = CWPFJ3Dialog::OnInitDialog();
    for (int i = 0; i < kMarkers; ++i) {
        m_texts[i].Attach(this, Numbered("Text", i));
        m_toolTips[i].Attach(this, Numbered("ToolTip", i));
        m_colors[i].Attach(this, Numbered("ColorPicker", i));
    }
    // Read as the strip reads them, so that the dialog shows and saves what
    // the markers show.
    std::vector<SIndexMarkerText> stored;
    GetIndexMarkerTexte(stored, true);
    for (int i = 0; i < kMarkers; ++i) {
        m_texts[i].SetData(stored[i].text);
        m_toolTips[i].SetData(stored[i].toolTip);
        m_colors[i].SetDefaultColor(CWPFApplication::GetToolkitColor(CWPFApplication::FirstMarkerSlot + i));
        std::uint32_t colorRef = CVKColorRef::NoColor;
        CVKColorRef::FromDecimal(stored[i].color, colorRef);
        m_colors[i].SetSelectedColor(colorRef);
    }
    return root;
}

void CDiaIndexMarkerConfig::OnSaveAndExit()
{
    if (!AllTextsStorable())
        return;
    bool saved = false;
    CString reason;
    {
        const BorrowedRSet<CJParPool> pool = BorrowRSet<CJParPool>(0);
        // All 25 markers or none: a half-saved configuration would mix old
        // and new markers on every workstation.
        CVKTransaction transaction(*pool->GetDatabase());
        saved = transaction.IsActive();
        for (int i = 0; saved && i < kMarkers; ++i) {
            SetMarkerKey(*pool, i);
            const int lookup = pool->GetByK1(0);
            pool->m_strValue = m_texts[i].GetData() + "|" + m_toolTips[i].GetData();
            const std::uint32_t colorRef = m_colors[i].GetSelectedColor();
            if (colorRef != CVKColorRef::NoColor) {
                CString decimal;
                decimal.Format("%u", colorRef);
                pool->m_strValue += "|" + decimal;
            }
            saved = lookup != CVKRSet::DB_ERROR && (lookup == CVKRSet::FOUND ? pool->Rewrite("") : pool->Write(""));
        }
        saved = saved && transaction.Commit();
        if (!saved)
            reason = pool->GetDatabase()->GetLastError();
    }
    if (!saved) {
        // The dialog stays open with the user's entries, to try again or cancel.
        HaltE("Karteireiter", "Die Karteireiter konnten nicht gespeichert werden:\n" + reason, GetWindow());
        return;
    }
    Halt(6, 7049, GetWindow());
    EndDialog(1);
}

bool CDiaIndexMarkerConfig::AllTextsStorable()
{
    // "|" separates text, tool tip and colour in the record: one inside a
    // text would shift the parts for every workstation. The person chooses
    // another character rather than have the text changed unseen.
    for (int i = 0; i < kMarkers; ++i)
        for (CWPFVKLTextBox* box : {&m_texts[i], &m_toolTips[i]}) {
            if (box->GetData().Find('|') < 0)
                continue;
            CString text;
            text.Format("Der senkrechte Strich \"|\" trennt die Teile eines Karteireiters und kann in Text "
                        "oder Tooltip nicht gespeichert werden (Karteireiter %d).\nBitte ersetzen Sie ihn.",
                        i + 1);
            HaltI("Karteireiter", text, GetWindow());
            box->Focus();
            return false;
        }
    return true;
}
