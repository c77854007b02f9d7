#include "dbdll/DBIdentity.h"

#include "j3params/J3Identity.h"
#include "j3params/J3Params.h"

CString dbPraxisId;
CString dbProgId;
CString dbLfdWorkstation;
CString dbLfdInstanz;
CString dbMdId;
CString dbPId;
CString dbTaskId;
bool dbDeleteProtokoll = false;
bool dbOdon32 = false;

void CDBIdentity::Apply(const SJ3Identity& identity)
{
    dbPraxisId = identity.praxis;
    dbProgId = identity.progId;
    dbLfdWorkstation = identity.workstation;
    dbLfdInstanz = identity.instance;
    dbMdId = identity.mandant;
    dbPId = identity.user;
    dbTaskId = identity.task;
    CString deleteProtocol;
    GetJ3MachineParameter("dbDeleteProtokoll", deleteProtocol);
    dbDeleteProtokoll = deleteProtocol == "1";
    CString reducedMode;
    GetJ3MachineParameter("Odon32", reducedMode);
    dbOdon32 = reducedMode == "1";
}
