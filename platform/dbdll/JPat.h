#pragma once
#include "vkdb/VKRSet.h"

// A patient record. The key is the patient number, ten characters,
// right-aligned with blanks; the birth date is in database form "JJJJMMTT".
// The index-marker text holds the flags of the index markers at positions
// 22 to 46.
class CJPat : public CVKRSet {
public:
    CJPat(CVKDatabase* database, void* reserved);

    // By patient number. matchMode 0 (exact) is the only mode.
    int GetByK1(int matchMode = 0);
    // The patient with the next higher number after the key field; the empty
    // key gives the first patient. Walks all patients in number order.
    int GetNextByNr();
    // The patient's two emoji texts.
    void GetEmoji(CString& first, CString& second) const;

    CString m_strPatNr;
    CString m_strName;
    CString m_strVorname;
    CString m_strGebDat;
    CString m_strIndexMarker;
    CString m_strEmoji1;
    CString m_strEmoji2;
};
