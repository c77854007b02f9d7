#pragma once

class CVKRSet;

// Record-set services of the suite.
class CJ3RSetEx {
public:
    // Whether the record set can select-read its current record: it is
    // positioned on a record that is still stored; forUpdate also asks that
    // the record set may change it (not forward-only, not read-only).
    static bool TriggerSelectRead(const CVKRSet* recordSet, bool forUpdate);
};
