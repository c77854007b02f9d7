#pragma once
#include "j3db/J3DbCommand.h"
#include "j3db/J3PracticeCopy.h"

#include <filesystem>
#include <optional>

class CVKDatabase;

// "migrate FROM TO": copies a whole practice into a database without
// records (a new file is created) in one transaction, committed only when the
// copy's record counts and content hashes equal the source's
// (CJ3PracticeCopy). Ctrl+C or a kill stops it with nothing copied.
class CJ3DbMigrate : public CJ3DbCommand {
public:
    CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const override;

private:
    // Copies into the database at building: a new file or a server schema
    // without tables gets its schema in the copy's transaction, so that a
    // failed, interrupted or killed copy leaves no tables behind; an
    // existing database without records gets only the copy's transaction.
    static CJ3DbResult Copy(CJ3DbFrame& frame, CJ3PracticeCopy& copy, CVKDatabase& target,
                            const std::filesystem::path& building, bool newFile);
    // What a copy that ran with result came to.
    static CJ3DbResult Verdict(const std::optional<CJ3PracticeCopy::EResult>& result, bool written,
                               const CJ3PracticeCopy& copy, const CVKDatabase& target);
};
