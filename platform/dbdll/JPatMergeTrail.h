#pragma once
#include "vkbasis/CString.h"

class CVKDatabase;

// Which patient number went into which by a merge (table "patmerge"), so
// that a workstation that still shows a merged-away patient stores its notes
// and markers on the patient he went into instead of under a number that no
// longer exists. Numbers as stored (ten characters, right-aligned).
class CJPatMergeTrail {
public:
    explicit CJPatMergeTrail(CVKDatabase& database) : m_database(database) {}

    // duplicateNr went into keptNr; numbers that went into duplicateNr
    // before lead to keptNr from now on. Runs inside the merge's transaction.
    bool Record(const CString& duplicateNr, const CString& keptNr);
    // The number the patient has now: patNr itself unless it was merged away
    // (a patient on file under patNr is always patNr). Asked inside the
    // write's own transaction, so that a merge comes wholly before or after.
    CString Follow(const CString& patNr);

private:
    CVKDatabase& m_database;
};
