#pragma once
#include "vkbasis/CString.h"

#include <vector>

class CVKDatabase;

// One patient of a search result, with the fields a choice list shows.
struct SPatTreffer {
    CString strPatNr; // ten characters, right-aligned
    CString strName;
    CString strVorname;
    CString strGebDat; // database form "JJJJMMTT"
};

// Finds patients by the beginning of their number, surname or first name,
// folded as CVKField::MakeKY folds ("mul", "MÜL" and "Mül" find "Müller").
// Each of the three reads only a range of its index (j3key), so a keystroke
// costs in proportion to the rows shown, not to the size of the practice.
class CJPatSuche {
public:
    explicit CJPatSuche(CVKDatabase& database) : m_database(database) {}

    // At most limit patients, ordered by surname, first name and number; an
    // empty fragment lists the first ones by name. False on a database
    // failure (the reason is on the connection), the result then empty.
    bool Find(const CString& fragment, int limit, std::vector<SPatTreffer>& result);

private:
    CVKDatabase& m_database;
};
