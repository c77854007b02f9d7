#pragma once
#include "win32/WinTypes.h"

#include <string>

// Libraries of the suite loaded by name are shared objects in the plugin
// folder: "j3up.dll", "j3up" and "libj3up.so" all name <folder>/libj3up.so
// (or <folder>/j3up.so). The folder is, in order of precedence, the one set
// with SetPluginFolder, the environment variable J3_PLUGIN_DIR, or the folder
// of the running program. A loaded library is never unloaded: FreeLibrary
// only notes the call, so function pointers handed out stay valid.
class CLibraryLoader {
public:
    static void SetPluginFolder(const std::string& folder);
    static std::string PluginFolder();
    // The shared object a library name stands for in the plugin folder, or ""
    // when there is none.
    static std::string SharedObjectPath(LPCSTR libraryName);
    // Why the last LoadLibraryA or GetProcAddress of this thread failed: the
    // file tried and the loader's reason, or the files looked for and where.
    static std::string LastFailure();
};

HMODULE LoadLibraryA(LPCSTR libraryName);
HMODULE AfxLoadLibrary(LPCSTR libraryName);
BOOL FreeLibrary(HMODULE module);
BOOL AfxFreeLibrary(HMODULE module);
// Null gives the running program; a name gives the library only when loaded.
HMODULE GetModuleHandleA(LPCSTR libraryName);
FARPROC GetProcAddress(HMODULE module, LPCSTR functionName);
// The handle of the loaded library (or program) that contains address.
HMODULE ModuleHandleOfAddress(const void* address);
