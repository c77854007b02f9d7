#pragma once
#include "vkbasis/CString.h"

struct SJ3Identity;

// Identity of the running program, as 8-bit texts without padding (records
// that need a width pad them themselves).
extern CString dbPraxisId;
extern CString dbProgId;
extern CString dbLfdWorkstation;
extern CString dbLfdInstanz;
extern CString dbMdId; // Mandant
extern CString dbPId;  // user
extern CString dbTaskId;
// Deleting a treatment record leaves a protocol entry: the machine parameter
// "dbDeleteProtokoll" is exactly "1". Off by default.
extern bool dbDeleteProtokoll;
// The program runs in the reduced Odon32 mode: the machine parameter "Odon32"
// is exactly "1". Off by default.
extern bool dbOdon32;

// Sets the identity globals and, from the process-wide machine configuration,
// the deletion protocol switch and the reduced mode.
class CDBIdentity {
public:
    static void Apply(const SJ3Identity& identity);
};
