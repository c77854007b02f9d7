#pragma once
#include "vkbasis/CString.h"

// The suite's patient choice, fetched by name from "j3patwahl.dll". Opens
// the patient choice over the active window with the search text in its
// search box. True when the user chose a patient: patNr then holds the
// patient's number (ten characters, right-aligned); false when the choice
// was cancelled, patNr unchanged. The first argument is 0 for every caller.
extern "C" bool J3sPatWahl(int reserved, const CString& search, CString& patNr);
