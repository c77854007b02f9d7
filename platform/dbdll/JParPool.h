#pragma once
#include "vkdb/VKRSet.h"

// A record of the parameter pool: number (three characters, "%3d"), key and
// value. Number and key together name one record.
class CJParPool : public CVKRSet {
public:
    CJParPool(CVKDatabase* database, void* reserved);

    // By number and key. matchMode 0 (exact) is the only mode.
    int GetByK1(int matchMode = 0);
    // By number and value; the key field then holds the record's key. With
    // several records of that value, the one with the lowest key.
    int GetByValue();
    // By number and key prefix (the key field): last true positions on the
    // matching record with the highest key, false on the lowest.
    int GetByTeilKuerzel(bool last = true);
    // Stores the value under number and key, inserting or replacing in one
    // statement, so that workstations setting the same new key at once never
    // collide on the unique key. context names the write in the error text.
    bool WriteValue(const CString& context);

    CString m_strNr;
    CString m_strKey;
    CString m_strValue;
};
