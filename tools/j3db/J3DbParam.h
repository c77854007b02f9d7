#pragma once
#include "j3db/J3DbCommand.h"
#include "vkbasis/CString.h"

#include <string>

// "param get NR KEY", "param set NR KEY VALUE", "param ls [NR]": the
// parameters of the practice (table parpool).
class CJ3DbParam : public CJ3DbCommand {
public:
    CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const override;

private:
    static CJ3DbResult Get(CJ3DbFrame& frame, const Args& args);
    static CJ3DbResult Set(CJ3DbFrame& frame, const Args& args);
    static CJ3DbResult List(CJ3DbFrame& frame, const Args& args);
    // "%3d" of a parameter number 0..999.
    static CJ3DbResult Number(const std::string& argument, CString& number);
};
