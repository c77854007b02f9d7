#pragma once
#include "J3Dialoge/DiaPatSearchEdit.h"

#include <vector>

// A dialog with the patient field and a second field to move to; its search
// button starts the patient choice. It notes what each leaving of the field
// answered.
class CPatSearchTestDialog : public CDiaPatSearchEdit {
public:
    CPatSearchTestDialog();

    bool OnExitPatSearch() override;
    void OnSearch() override;

    const CString& PatNr() const { return m_strPatNr; }
    std::vector<bool> m_exitResults;
};
