#include "J3Dialoge/J3WinAppModule.h"

#include "J3Dialoge/J3SysBaseAccelerators.h"
#include "j3params/J3MachineConfig.h"
#include "j3params/J3Params.h"
#include "vkbasis/Trace.h"
#include "win32/HostFiles.h"
#include "win32/LibraryLoader.h"

AFX_EXTENSION_MODULE CJ3WinAppModule::J3DialogeDLL;
HINSTANCE CJ3WinAppModule::s_hInstance = nullptr;

namespace {

std::string HostPathOf(const std::string& windowsPath)
{
    CString ignoredReason;
    return GetJ3HostPath(CString(windowsPath), ignoredReason).string();
}

// Stands for the loader's attach and detach notifications.
struct SModuleAttachment {
    SModuleAttachment()
    {
        if (!CJ3WinAppModule::DllMain(ModuleHandleOfAddress(&CJ3WinAppModule::J3DialogeDLL), DLL_PROCESS_ATTACH))
            VKTrace(3, 0, "J3WinAppModule", __LINE__, "J3Dialoge: module attach failed");
    }
    ~SModuleAttachment() { CJ3WinAppModule::DllMain(CJ3WinAppModule::s_hInstance, DLL_PROCESS_DETACH); }
};

const SModuleAttachment s_attachment;

} // namespace

BOOL CJ3WinAppModule::DllMain(HINSTANCE instance, DWORD reason)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(J3DialogeDLL, instance))
            return 0;
        // The chain link lives for the process.
        new CDynLinkLibrary(J3DialogeDLL, 0);
        s_hInstance = instance;
        RegisterJ3AcceleratorTables(instance);
        CHostPaths::Install(&HostPathOf);
        CLibraryLoader::SetPluginFolder(CJ3MachineConfig::Current()->PluginDir().string());
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(J3DialogeDLL, 0);
    }
    return 1;
}
