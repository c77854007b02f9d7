#include "JoinTestDialog.h"

CJoinTestDialog::CJoinTestDialog(std::vector<CString> keys)
    : CWPFDiaJoin("test/WPFDiaJoinTestDialog", "j3wpfcs", nullptr, "param"), m_keys(std::move(keys))
{
    m_bNoPlacement = true;
}

void CJoinTestDialog::DoFillListe()
{
    m_Liste.AddCheckBoxColumn("", 0, "");
    m_Liste.AddTextBlockColumn("Nummer", 0, 0, "");
    for (const CString& key : m_keys)
        m_Matrix.DoAdd({"0", key});
}

bool CJoinTestDialog::DoJoin(const std::vector<CString>& keys)
{
    m_joined.push_back(keys);
    return m_bJoinSucceeds;
}

void CJoinTestDialog::DoZoom(const std::vector<CString>& keys)
{
    m_zoomed.push_back(keys);
}
