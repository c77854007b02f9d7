#pragma once
#include "win32/CDynLinkLibrary.h"
#include "win32/WinTypes.h"

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

// Attachment of the module to a process. Loading the library attaches it
// (its resources, the accelerator tables, join the framework's search, and
// Windows paths of the host disk go through the machine's drive mapping);
// unloading detaches it. A failed attach is written to the trace and leaves
// the module without its resources: a shared object cannot refuse its load.
class CJ3WinAppModule {
public:
    // 0 only for a failed process attach.
    static BOOL DllMain(HINSTANCE instance, DWORD reason);

    static AFX_EXTENSION_MODULE J3DialogeDLL;
    // The module's own handle, for loading its resources.
    static HINSTANCE s_hInstance;
};
