#pragma once
#include "vkdb/VKRSet.h"

// A treatment record (table "BEH"): patient number, date in database form
// "JJJJMMTT", the service code and the service text. Deleting one leaves a
// protocol entry made of these four when deletions are protocolled.
class CJBeh : public CVKRSet {
public:
    CJBeh(CVKDatabase* database, void* reserved);

    // The first treatment (by service code) of the patient on the date.
    int GetByK1(int matchMode = 0);

    CString m_strPatNr;
    CString m_strDatum;
    CString m_strLeistung;
    CString m_strText;
};
