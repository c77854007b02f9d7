#include "win32/CDynLinkLibrary.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex& ChainMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<CDynLinkLibrary*>& Chain()
{
    static std::vector<CDynLinkLibrary*> chain;
    return chain;
}

} // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE instance)
{
    if (state.bInitialized)
        return 1;
    if (!instance)
        return 0;
    state.hModule = instance;
    state.hResource = instance;
    state.bInitialized = 1;
    return 1;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL /*all: there are no threads to end*/)
{
    if (!state.bInitialized)
        return;
    std::lock_guard lock(ChainMutex());
    auto& chain = Chain();
    // The links stay allocated (they live for the process) but leave the search.
    chain.erase(std::remove_if(chain.begin(), chain.end(),
                               [&](const CDynLinkLibrary* link) { return link->m_hModule == state.hModule; }),
                chain.end());
    state.bInitialized = 0;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(system)
{
    std::lock_guard lock(ChainMutex());
    Chain().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    std::lock_guard lock(ChainMutex());
    auto& chain = Chain();
    chain.erase(std::remove(chain.begin(), chain.end(), this), chain.end());
}

std::vector<HMODULE> CDynLinkLibrary::ResourceChain()
{
    std::lock_guard lock(ChainMutex());
    std::vector<HMODULE> modules;
    for (const CDynLinkLibrary* link : Chain())
        modules.push_back(link->m_hResource);
    return modules;
}
