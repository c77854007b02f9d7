#pragma once
#include "dbdll/JPatSuche.h"

#include <vector>

class CVKDatabase;

// Patients probably taken up more than once: the same surname and first
// name, folded as the suite folds keys ("MÜLLER" is "Müller"), and the same
// birth date.
class CJPatDubletten {
public:
    explicit CJPatDubletten(CVKDatabase& database) : m_database(database) {}

    // The patient followed by its likely duplicates in number order; empty
    // when it has none (or is not on file). With an empty number: the first
    // group of likely duplicates of the practice, by name. False on a
    // database failure, the result then empty.
    bool Find(const CString& patNr, std::vector<SPatTreffer>& group);

private:
    CVKDatabase& m_database;
};
