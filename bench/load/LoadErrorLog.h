#pragma once
#include "vkbasis/CVKSysBase.h"

// The database error log of a load workstation: what the database layer
// reports there (a lost connection, a reconnection to another server) goes
// to stderr, so that the load run shows what each workstation saw.
class CLoadErrorLog : public CVKSysBase {
public:
    CLoadErrorLog();
    ~CLoadErrorLog() override;
    CLoadErrorLog(const CLoadErrorLog&) = delete;
    CLoadErrorLog& operator=(const CLoadErrorLog&) = delete;

    void DoDBError(const CString& message) override;
};
