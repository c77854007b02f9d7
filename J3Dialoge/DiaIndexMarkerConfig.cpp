#include "J3Dialoge/DiaIndexMarkerConfig.h"

#include "J3Dialoge/BorrowedRSet.h"
#include "dbdll/JParPool.h"
#include "msgbox/Boxes.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"
#include "vkwpfcpp/VKColorRef.h"

#include <QDialog>

#include <cstdlib>

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
    const BorrowedRSet<CJParPool> pool = BorrowRSet<CJParPool>(1);
    for (int i = 0; i < kMarkers; ++i) {
        SetMarkerKey(*pool, i);
        if (pool->GetByK1(0) != CVKRSet::FOUND)
            continue;
        const CString& value = pool->m_strValue;
        const int bar = value.Find('|');
        if (bar < 0)
            continue;
        m_texts[i].SetData(value.Left(bar));
        const CString rest = value.Mid(bar + 1);
        const int secondBar = rest.Find('|');
        if (secondBar < 0) {
            m_toolTips[i].SetData(rest);
            continue;
        }
        m_toolTips[i].SetData(rest.Left(secondBar));
        const CString color = rest.Mid(secondBar + 1);
        // A colour reference, 0x00BBGGRR in decimal; the picker shows no
        // colour for a value that is none.
        if (!color.IsEmpty())
            m_colors[i].SetSelectedColor(static_cast<std::uint32_t>(std::strtoul(color, nullptr, 10)));
    }
    return root;
}

void CDiaIndexMarkerConfig::OnSaveAndExit()
{
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
