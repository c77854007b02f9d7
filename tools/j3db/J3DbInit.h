#pragma once
#include "j3db/J3DbCommand.h"

#include <filesystem>

// "init [--sample] [FILE|URL]": creates the practice database, with the
// sample practice on request. A file is built beside its place and named only
// when complete, a server database gets schema and sample in one transaction;
// either way an interrupted or killed init leaves nothing.
class CJ3DbInit : public CJ3DbCommand {
public:
    CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const override;

private:
    // Builds the database at building, with the sample when asked.
    static CJ3DbResult Build(const std::filesystem::path& building, bool sample);
};
