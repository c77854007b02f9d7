#include "j3params/J3PlaceWalk.h"

#include <QString>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

int OpenRoot()
{
    return ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

CJ3PlaceWalk::CJ3PlaceWalk() : m_folder(OpenRoot())
{
}

CJ3PlaceWalk::~CJ3PlaceWalk()
{
    Replace(-1);
}

std::vector<SPendingName> CJ3PlaceWalk::PendingNames(const std::filesystem::path& path, bool windowsNames)
{
    std::vector<SPendingName> pending;
    for (auto element = path.end(); element != path.begin();)
        pending.push_back({(--element)->string(), windowsNames});
    return pending;
}

bool CJ3PlaceWalk::Follow(std::vector<SPendingName> pending, std::filesystem::path& spelled)
{
    constexpr int kMostLinks = 40;
    while (!pending.empty()) {
        SPendingName next = std::move(pending.back());
        pending.pop_back();
        if (next.name == "/") {
            Replace(OpenRoot());
            m_names.clear();
            m_openDepth = 0;
        } else if (next.name == "..") {
            Up();
        } else if (!next.name.empty() && next.name != ".") {
            if (next.windowsName) {
                next.name = ExistingSpelling(next.name);
                spelled /= next.name;
            }
            std::string target;
            if (!LinkTarget(next.name, target)) {
                Down(next.name);
                continue;
            }
            if (++m_links > kMostLinks)
                return false;
            std::vector<SPendingName> targetNames = PendingNames(target, false);
            pending.insert(pending.end(), targetNames.begin(), targetNames.end());
        }
    }
    return true;
}

std::filesystem::path CJ3PlaceWalk::Resolved() const
{
    std::filesystem::path resolved = "/";
    for (const auto& name : m_names)
        resolved /= name;
    return resolved;
}

void CJ3PlaceWalk::Replace(int folder)
{
    if (m_folder >= 0)
        ::close(m_folder);
    m_folder = folder;
}

void CJ3PlaceWalk::Up()
{
    if (m_names.empty())
        return;
    if (AtOpenFolder()) {
        Replace(::openat(m_folder, "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        --m_openDepth;
    }
    m_names.pop_back();
}

void CJ3PlaceWalk::Down(const std::string& name)
{
    if (AtOpenFolder()) {
        const int child = ::openat(m_folder, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child >= 0) {
            Replace(child);
            ++m_openDepth;
        }
    }
    m_names.push_back(name);
}

// True with the target when name is a symbolic link in the open folder.
bool CJ3PlaceWalk::LinkTarget(const std::string& name, std::string& target) const
{
    struct stat status {};
    if (!AtOpenFolder() || ::fstatat(m_folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISLNK(status.st_mode))
        return false;
    std::vector<char> buffer(static_cast<std::size_t>(std::max<off_t>(status.st_size, 255)) + 1);
    const ssize_t length = ::readlinkat(m_folder, name.c_str(), buffer.data(), buffer.size());
    if (length < 0 || static_cast<std::size_t>(length) >= buffer.size())
        return false;
    target.assign(buffer.data(), static_cast<std::size_t>(length));
    return true;
}

std::string CJ3PlaceWalk::ExistingSpelling(const std::string& name) const
{
    struct stat status {};
    if (!AtOpenFolder() || ::fstatat(m_folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
        return name;
    const int listed = ::openat(m_folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* entries = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (entries == nullptr) {
        if (listed >= 0)
            ::close(listed);
        return name;
    }
    std::string spelling = name;
    const QString wanted = QString::fromStdString(name);
    while (const dirent* entry = ::readdir(entries)) {
        if (wanted.compare(QString::fromUtf8(entry->d_name), Qt::CaseInsensitive) == 0) {
            spelling = entry->d_name;
            break;
        }
    }
    ::closedir(entries);
    return spelling;
}
