#include "win32/AfxOle.h"

#include "win32/Win32Journal.h"

AFX_THREAD_STATE* AfxGetThreadState()
{
    thread_local AFX_THREAD_STATE state;
    return &state;
}

BOOL AfxOleInit()
{
    CWin32Journal::Record("AfxOleInit");
    AfxGetThreadState()->m_bNeedTerm = 1;
    return 1;
}

void AfxOleTerm()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (!state->m_bNeedTerm)
        return;
    state->m_bNeedTerm = 0;
    CWin32Journal::Record("AfxOleTerm");
}
