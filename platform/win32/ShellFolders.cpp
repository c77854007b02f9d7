#include "win32/ShellFolders.h"

#include <cstring>
#include <map>
#include <mutex>

struct ITEMIDLIST {
    std::string path;
};

namespace {

std::mutex& FoldersMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<int, std::optional<std::string>>& Folders()
{
    static std::map<int, std::optional<std::string>> folders{
        {CSIDL_PROGRAM_FILES_COMMON, std::string("C:\\Program Files\\Common Files")}};
    return folders;
}

class CShellAllocator final : public IMalloc {
public:
    virtual ~CShellAllocator() = default;
    void Free(void* memory) override { delete static_cast<ITEMIDLIST*>(memory); }
    ULONG Release() override { return 1; }
};

} // namespace

void CShellFolders::SetFolder(int csidl, std::optional<std::string> windowsPath)
{
    std::lock_guard lock(FoldersMutex());
    Folders()[csidl] = std::move(windowsPath);
}

std::optional<std::string> CShellFolders::Folder(int csidl)
{
    std::lock_guard lock(FoldersMutex());
    const auto found = Folders().find(csidl);
    return found == Folders().end() ? std::nullopt : found->second;
}

HRESULT SHGetSpecialFolderLocation(HWND /*owner*/, int csidl, LPITEMIDLIST* itemList)
{
    if (!itemList)
        return E_FAIL;
    *itemList = nullptr;
    const auto folder = CShellFolders::Folder(csidl);
    if (!folder || folder->size() >= static_cast<std::size_t>(MAX_PATH))
        return E_FAIL;
    *itemList = new ITEMIDLIST{*folder};
    return S_OK;
}

BOOL SHGetPathFromIDListA(LPITEMIDLIST itemList, LPSTR path)
{
    if (!path)
        return 0;
    *path = '\0';
    if (!itemList || itemList->path.empty())
        return 0;
    std::memcpy(path, itemList->path.c_str(), itemList->path.size() + 1);
    return 1;
}

HRESULT SHGetMalloc(IMalloc** allocator)
{
    static CShellAllocator shellAllocator;
    if (!allocator)
        return E_FAIL;
    *allocator = &shellAllocator;
    return S_OK;
}
