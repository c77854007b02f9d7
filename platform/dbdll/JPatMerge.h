#pragma once
#include "vkbasis/CString.h"

#include <vector>

class CJPat;
class CVKDatabase;

// Merges patient records taken up more than once into one: the duplicates'
// index markers are added to the kept patient's, their treatments,
// deletion-protocol rows and eInfo notes (of every dialog, user and
// workstation, in the order of their numbers) move to it, the kept patient's
// free emoji places take theirs, the merge trail (CJPatMergeTrail) records
// where each number went, and the duplicates' records are deleted. All of it
// happens in one transaction: a merge that fails at any step leaves every
// record and note as it was.
class CJPatMerge {
public:
    explicit CJPatMerge(CVKDatabase& database) : m_database(database) {}

    // Numbers as stored (ten characters, right-aligned). False with the
    // reason when a patient is missing, a duplicate is the kept patient, or
    // the database fails.
    bool Merge(const CString& keptNr, const std::vector<CString>& duplicateNrs, CString& error);

    // An emoji of a duplicate that found no free place with the kept patient.
    struct SUnplacedEmoji {
        CString strPatNr; // the duplicate's number, without blanks
        CString strEmoji;
    };
    // Those of the last successful merge.
    const std::vector<SUnplacedEmoji>& GetUnplacedEmoji() const { return m_unplacedEmoji; }

private:
    bool MergeOne(const CString& keptNr, const CString& duplicateNr, CString& error);
    bool MoveNotes(const CString& keptNr, const CString& duplicateNr);
    bool MoveRows(const char* table, const CString& keptNr, const CString& duplicateNr);
    void PlaceEmoji(CJPat& kept, const CJPat& duplicate);

    CVKDatabase& m_database;
    std::vector<SUnplacedEmoji> m_unplacedEmoji;
};
