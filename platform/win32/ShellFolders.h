#pragma once
#include "win32/WinTypes.h"

#include <optional>
#include <string>

// The shell's special folders. The host has none of its own: each folder is a
// Windows path text set by the program; the common program files folder
// (CSIDL_PROGRAM_FILES_COMMON) is "C:\Program Files\Common Files" unless set.
// A folder set to nothing is one the shell cannot give.
class CShellFolders {
public:
    static void SetFolder(int csidl, std::optional<std::string> windowsPath);
    static std::optional<std::string> Folder(int csidl);
};

constexpr int CSIDL_PROGRAM_FILES_COMMON = 0x2b;

// An item list names one folder; it is freed through the shell's allocator.
struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;

struct IMalloc {
    virtual void Free(void* memory) = 0;
    virtual ULONG Release() = 0;

protected:
    ~IMalloc() = default;
};

HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, LPITEMIDLIST* itemList);
// Copies the folder's path (at most MAX_PATH characters with its end) to path.
BOOL SHGetPathFromIDListA(LPITEMIDLIST itemList, LPSTR path);
HRESULT SHGetMalloc(IMalloc** allocator);
