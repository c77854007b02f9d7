#pragma once
#include "win32/WinTypes.h"

#include <vector>

// Extension-module registration of the application framework: an attached
// module's resources join the framework's resource search, a chain of
// CDynLinkLibrary objects searched in order of creation.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = 0;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

// Fails (0) for a null instance. A second call for the same record succeeds
// without change.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE instance);
// Takes the module's links out of the resource search.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = 0);

class CDynLinkLibrary {
public:
    CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = 0);
    ~CDynLinkLibrary();
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    // The resource modules of the chain, in search order.
    static std::vector<HMODULE> ResourceChain();

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
};
