#include "J3Dialoge/J3SysBaseLoadProc.h"

#include "msgbox/Boxes.h"
#include "vkbasis/CString.h"
#include "win32/LibraryLoader.h"

FARPROC LoadProc(LPCSTR libraryName, LPCSTR functionName)
{
    // The handle is only forgotten at the end: the library is never freed, so
    // the function handed out stays callable.
    HMODULE module = libraryName ? nullptr : GetModuleHandleA(nullptr);
    if (!module)
        module = AfxLoadLibrary(libraryName);
    if (!module) {
        const CString text = CString(libraryName ? libraryName : "") + "\n" + (functionName ? functionName : "");
        VKHaltE("LoadLibrary fehlgeschlagen!", text, nullptr);
        return nullptr;
    }
    const FARPROC function = GetProcAddress(module, functionName);
    if (!function) {
        VKHaltE("Hinweis", "Programm in Vorbereitung!", nullptr);
        return nullptr;
    }
    return function;
}
