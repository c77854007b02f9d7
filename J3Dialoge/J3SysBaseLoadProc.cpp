#include "J3Dialoge/J3SysBaseLoadProc.h"

#include "j3params/J3HostText.h"
#include "msgbox/Boxes.h"
#include "vkbasis/CString.h"
#include "vkbasis/CVKSysBase.h"
#include "vkbasis/TerminalText.h"
#include "win32/LibraryLoader.h"

#include <iostream>
#include <string>

namespace {

// The boxes only name the library and function; the file tried and the
// loader's reason go to standard error and the database error log.
void ReportFailure(LPCSTR libraryName, LPCSTR functionName)
{
    const std::string text = std::string("LoadProc ") + (libraryName ? libraryName : "(Programm)") + "/" +
                             (functionName ? functionName : "") + ": " + CLibraryLoader::LastFailure();
    std::cerr << CTerminalText::Message(text) << "\n";
    if (gp_VKSysBase)
        gp_VKSysBase->DoDBError(CJ3HostText::FromHost(text));
}

} // namespace

FARPROC LoadProc(LPCSTR libraryName, LPCSTR functionName)
{
    // The handle is only forgotten at the end: the library is never freed, so
    // the function handed out stays callable.
    HMODULE module = libraryName ? nullptr : GetModuleHandleA(nullptr);
    if (!module)
        module = AfxLoadLibrary(libraryName);
    if (!module) {
        ReportFailure(libraryName, functionName);
        const CString text = CString(libraryName ? libraryName : "") + "\n" + (functionName ? functionName : "");
        VKHaltE("LoadLibrary fehlgeschlagen!", text, nullptr);
        return nullptr;
    }
    const FARPROC function = GetProcAddress(module, functionName);
    if (!function) {
        ReportFailure(libraryName, functionName);
        VKHaltE("Hinweis", "Programm in Vorbereitung!", nullptr);
        return nullptr;
    }
    return function;
}
