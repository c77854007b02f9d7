#pragma once
#include "j3db/J3ProgressBar.h"
#include "vkbasis/CString.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class CVKDatabase;

// Copies a whole practice (every table's records, the file store included)
// from one open practice database into another, whichever backend each runs.
//
// The source is held in a write transaction for the whole copy, so that no
// workstation changes it unseen meanwhile (their writes wait, or fail
// visibly, instead of being lost). The target is written in one transaction
// that is committed only when, table by table, the number of records and a
// content hash read back from the target equal those read from the source.
// The hash is taken over each record's values and does not depend on the
// order the backends return the records in. Row numbers of the file store
// are the target's own; they are not part of the practice.
class CJ3PracticeCopy {
public:
    enum class EResult { Done, Failed, Interrupted };

    struct STableCheck {
        std::string table;
        std::int64_t records = 0;
        std::string hash; // hex SHA-256
        bool operator==(const STableCheck&) const = default;
    };

    CJ3PracticeCopy(CVKDatabase& source, CVKDatabase& target);

    // False with Error() when the target cannot be read; holds is true when
    // any table of the target has a record.
    bool TargetHoldsRecords(bool& holds);
    // interrupted is asked after every record; when it says so, the copy
    // stops and nothing of it stays in the target.
    EResult Run(std::ostream& progressOut, CJ3ProgressBar::EStyle style, const std::function<bool()>& interrupted);

    // After Done: the checks of the target (equal to the source's).
    const std::vector<STableCheck>& Checks() const { return m_checks; }
    const CString& Error() const { return m_error; }

private:
    // Counts and hashes of every table of a practice database, the same way
    // for any backend; false with the reason on the connection.
    static bool CheckAll(CVKDatabase& database, std::vector<STableCheck>& checks);
    EResult FailOn(CVKDatabase& database);
    // Every record of the source into the target (both in their
    // transactions), with the checks of what was read.
    EResult CopyRecords(std::ostream& progressOut, CJ3ProgressBar::EStyle style,
                        const std::function<bool()>& interrupted, std::vector<STableCheck>& sourceChecks);

    CVKDatabase& m_source;
    CVKDatabase& m_target;
    std::vector<STableCheck> m_checks;
    CString m_error;
};
