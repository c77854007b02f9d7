#pragma once
#include "j3db/J3DbCommand.h"

// "ls [-l] STOREDIR|PATTERN": lists a directory of the file store, a file
// named by its path, or what a pattern with "*" or "?" in its last element
// matches.
class CJ3DbList : public CJ3DbCommand {
public:
    CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const override;
};
