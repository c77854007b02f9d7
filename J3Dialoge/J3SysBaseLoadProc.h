#pragma once
#include "win32/WinTypes.h"

// Loads a library of the suite by name (null: the running program itself) and
// fetches one function from it. The library stays loaded for the process.
// A library that cannot be loaded shows "LoadLibrary fehlgeschlagen!" with the
// library and function name; a missing function shows "Hinweis" /
// "Programm in Vorbereitung!". Either way the result is null and the caller
// goes on without the function.
FARPROC LoadProc(LPCSTR libraryName, LPCSTR functionName);

// LoadProc for a function of a known type.
template <typename Function> Function LoadProcAs(LPCSTR libraryName, LPCSTR functionName)
{
    return reinterpret_cast<Function>(LoadProc(libraryName, functionName));
}
