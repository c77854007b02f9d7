#pragma once
#include "j3db/J3DbCommand.h"

// "rm STOREPATH": removes a stored file; a directory goes with its last file
// and is never removed itself.
class CJ3DbRemove : public CJ3DbCommand {
public:
    CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const override;
};
