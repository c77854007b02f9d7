#pragma once
#include "j3db/J3DbCommand.h"

// "put LOCAL STOREPATH": stores a local file, keeping its last write time;
// a store path ending in a separator stores under the local file's name.
class CJ3DbPut : public CJ3DbCommand {
public:
    CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const override;
};
