#pragma once
#include "j3db/J3DbCommand.h"

// "get STOREPATH [LOCAL]": a stored file to the standard output, or into a
// local file (an existing local folder takes it under its own name), written
// under a temporary name and renamed only when complete.
class CJ3DbGet : public CJ3DbCommand {
public:
    CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const override;
};
