#pragma once
#include "vkdb/VKRSet.h"

// A protocol entry. The database stamps each entry with the time of writing.
class CJProtokoll : public CVKRSet {
public:
    CJProtokoll(CVKDatabase* database, void* reserved);

    // The latest entry of the patient number.
    int GetByK1(int matchMode = 0);

    CString m_strPatNr;
    CString m_strArt;
    CString m_strStatus;
    CString m_strFunktion;
    CString m_strText;
};
