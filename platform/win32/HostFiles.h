#pragma once
#include "win32/WinTypes.h"

#include <functional>
#include <string>

// Windows paths that name the host's disk reach it through a mapper that the
// program installs (the suite's drive mapping). Without one, only paths that
// are already host paths ("/...") are usable; drive paths are refused.
class CHostPaths {
public:
    // Returns the host path for a Windows path, or "" when it has none.
    using Mapper = std::function<std::string(const std::string& windowsPath)>;

    static void Install(Mapper mapper);
    // "" when the path cannot be mapped.
    static std::string ToHost(const std::string& windowsPath);
};

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;

// Creates one directory; its parent must exist. Fails with
// ERROR_ALREADY_EXISTS when something of that name is there.
BOOL CreateDirectoryA(LPCSTR path, void* securityAttributes);
DWORD GetFileAttributesA(LPCSTR path);
BOOL PathFileExistsA(LPCSTR path);
// The error of the last failed call on this thread.
DWORD GetLastError();
void SetLastError(DWORD error);
