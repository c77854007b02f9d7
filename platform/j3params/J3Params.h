#pragma once
#include "vkbasis/CString.h"

#include <filesystem>

// The parameter library's functions as the suite calls them: 8-bit texts in
// the Windows-1252 code page, read from the process-wide machine configuration
// (CJ3MachineConfig::Current()). Directory texts end with a backslash.

// The data directory in the database file store. The flag is accepted for the
// callers' sake; every value gives the same directory.
CString GetJ3DataPath(int flag);
// The read-only data directory in the database file store (flag as above).
CString GetJ3DataROPath(int flag);
// The QA directory in the database file store.
CString GetJ3QAPath();
void GetJ3AppDataPath(CString& path);
CString GetJ3TempPath();
CString GetJ3LogPath();
// Also fetched by name from the loaded library, hence the plain C name.
extern "C" CString GetJ3HelpPath();

// True and the value when the machine parameter is configured; false with
// value untouched when it is not, so a caller's preset stays.
bool GetJ3MachineParameter(const char* name, CString& value);

// The host path for a Windows path on a mapped drive ("C:\J3\Log\dbdll.log");
// the empty path and the reason in error when the drive is not mapped, the
// path is no absolute drive path or it leaves the drive's folder through "..".
// linkFree receives the place with its links followed (CJ3DriveMap::ToHostPath).
std::filesystem::path GetJ3HostPath(const CString& windowsPath, CString& error,
                                    std::filesystem::path* linkFree = nullptr);
