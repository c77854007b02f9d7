#include "win32/HostFiles.h"

#include "win32/Win32Journal.h"

#include <sys/stat.h>

#include <cerrno>
#include <mutex>

namespace {

std::mutex& MapperMutex()
{
    static std::mutex mutex;
    return mutex;
}

CHostPaths::Mapper& InstalledMapper()
{
    static CHostPaths::Mapper mapper;
    return mapper;
}

thread_local DWORD t_lastError = ERROR_SUCCESS;

DWORD ErrorFromErrno(int error)
{
    switch (error) {
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOENT:
        return ERROR_PATH_NOT_FOUND;
    default:
        return ERROR_FILE_NOT_FOUND;
    }
}

} // namespace

void CHostPaths::Install(Mapper mapper)
{
    std::lock_guard lock(MapperMutex());
    InstalledMapper() = std::move(mapper);
}

std::string CHostPaths::ToHost(const std::string& windowsPath)
{
    Mapper mapper;
    {
        std::lock_guard lock(MapperMutex());
        mapper = InstalledMapper();
    }
    if (mapper)
        return mapper(windowsPath);
    return !windowsPath.empty() && windowsPath.front() == '/' ? windowsPath : std::string();
}

BOOL CreateDirectoryA(LPCSTR path, void* /*securityAttributes: no access control on the host*/)
{
    CWin32Journal::Record(std::string("CreateDirectory ") + (path ? path : ""));
    const std::string hostPath = CHostPaths::ToHost(path ? path : "");
    if (hostPath.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (mkdir(hostPath.c_str(), 0777) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return 0;
    }
    return 1;
}

DWORD GetFileAttributesA(LPCSTR path)
{
    const std::string hostPath = CHostPaths::ToHost(path ? path : "");
    struct stat status {};
    if (hostPath.empty() || stat(hostPath.c_str(), &status) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (!(status.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

BOOL PathFileExistsA(LPCSTR path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

DWORD GetLastError()
{
    return t_lastError;
}

void SetLastError(DWORD error)
{
    t_lastError = error;
}
