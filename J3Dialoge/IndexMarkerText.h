#pragma once
#include "vkbasis/CString.h"

// The configuration of one index marker, as the parameter pool keeps it
// ("text|tool tip|colour").
struct SIndexMarkerText {
    CString text;
    CString toolTip;
    // The colour reference (0x00BBGGRR) in decimal; empty for the toolkit's colour.
    CString color;
    // Left empty by this module.
    CString extra;
};
