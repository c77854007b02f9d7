#pragma once

#include "vkbasis/CString.h"

#include <ctime>

// The display form "TT.MM.JJJJ" of a database date "JJJJMMTT"
// ("20240229" gives "29.02.2024"). Blanks around the date are ignored;
// anything else that is not eight digits of a real calendar date (year 1 to
// 9999, the month's own number of days, leap years included; so also
// "00000000") gives the empty text.
CString Db2Date(const CString& dbDate);

// The local time now as a time stamp "JJJJMMTTHHMMSS" (14 digits): it sorts
// in time order as text and starts with the database date form.
CString GetStechUhr();

// The time stamp of GetStechUhr for a given moment, local time.
CString StechUhrOf(std::time_t moment);
