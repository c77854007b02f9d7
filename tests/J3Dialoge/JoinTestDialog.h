#pragma once
#include "J3Dialoge/WPFDiaJoin.h"

#include <vector>

// A merge dialog over given records (key and name); it notes the keys it
// is asked to merge or to show.
class CJoinTestDialog : public CWPFDiaJoin {
public:
    explicit CJoinTestDialog(std::vector<CString> keys);

    void DoFillListe() override;
    bool DoJoin(const std::vector<CString>& keys) override;
    void DoZoom(const std::vector<CString>& keys) override;

    bool m_bJoinSucceeds = true;
    std::vector<std::vector<CString>> m_joined;
    std::vector<std::vector<CString>> m_zoomed;

private:
    std::vector<CString> m_keys;
};
