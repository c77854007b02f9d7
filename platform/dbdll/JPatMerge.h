#pragma once
#include "vkbasis/CString.h"

#include <vector>

class CVKDatabase;

// Merges patient records taken up more than once into one: the duplicates'
// index markers are added to the kept patient's, their treatments and their
// eInfo notes (of every dialog, user and workstation) move to it, the kept
// patient's empty emoji take theirs, and the duplicates' records are
// deleted. All of it happens in one transaction: a merge that fails at any
// step leaves every record and note as it was.
class CJPatMerge {
public:
    explicit CJPatMerge(CVKDatabase& database) : m_database(database) {}

    // Numbers as stored (ten characters, right-aligned). False with the
    // reason when a patient is missing, a duplicate is the kept patient, or
    // the database fails.
    bool Merge(const CString& keptNr, const std::vector<CString>& duplicateNrs, CString& error);

private:
    bool MergeOne(const CString& keptNr, const CString& duplicateNr, CString& error);
    bool MoveNotes(const CString& keptNr, const CString& duplicateNr);
    bool MoveTreatments(const CString& keptNr, const CString& duplicateNr);

    CVKDatabase& m_database;
};
