#pragma once
#include "win32/WinTypes.h"

// The framework's per-thread OLE state: m_bNeedTerm is set by AfxOleInit on
// the calling thread and cleared by AfxOleTerm.
struct AFX_THREAD_STATE {
    BOOL m_bNeedTerm = 0;
};

AFX_THREAD_STATE* AfxGetThreadState();
BOOL AfxOleInit();
// Ends OLE on the calling thread when AfxOleInit started it there.
void AfxOleTerm();
