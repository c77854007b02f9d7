#include "LoadErrorLog.h"

#include "dbdll/DBIdentity.h"

#include <iostream>

CLoadErrorLog::CLoadErrorLog()
{
    gp_VKSysBase = this;
}

CLoadErrorLog::~CLoadErrorLog()
{
    gp_VKSysBase = nullptr;
}

void CLoadErrorLog::DoDBError(const CString& message)
{
    std::cerr << "j3loadrun: Arbeitsplatz " << dbLfdWorkstation.GetString() << ": Protokoll: " << message.GetString()
              << "\n";
}
