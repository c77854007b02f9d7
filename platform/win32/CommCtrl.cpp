#include "win32/CommCtrl.h"

#include "win32/Win32Journal.h"

#include <cstdio>

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls)
{
    if (!controls || controls->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return 0;
    char entry[48];
    std::snprintf(entry, sizeof entry, "InitCommonControlsEx 0x%x", static_cast<unsigned>(controls->dwICC));
    CWin32Journal::Record(entry);
    return 1;
}
