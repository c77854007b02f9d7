#include "j3params/J3DriveMap.h"

#include <QString>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

char UpperDrive(char letter)
{
    if (letter >= 'a' && letter <= 'z')
        return static_cast<char>(letter - 'a' + 'A');
    return (letter >= 'A' && letter <= 'Z') ? letter : '\0';
}

// The entry of folder spelt like name (exactly, else ignoring case); name itself
// when there is none.
std::filesystem::path ExistingSpelling(const std::filesystem::path& folder, const std::string& name)
{
    std::error_code ec;
    const std::filesystem::path exact = folder / name;
    if (std::filesystem::exists(exact, ec) || !std::filesystem::is_directory(folder, ec))
        return exact;
    const QString wanted = QString::fromStdString(name);
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string candidate = entry.path().filename().string();
        if (wanted.compare(QString::fromStdString(candidate), Qt::CaseInsensitive) == 0)
            return entry.path();
    }
    return exact;
}

// The place an absolute path names, with every symbolic link on its way
// followed, also links to what does not exist (yet); empty after too many
// links, as the host would refuse it.
std::filesystem::path WithLinksFollowed(const std::filesystem::path& path)
{
    constexpr int kMostLinks = 40;
    std::vector<std::filesystem::path> pending(path.begin(), path.end());
    std::reverse(pending.begin(), pending.end());
    std::filesystem::path resolved;
    int links = 0;
    std::error_code ec;
    while (!pending.empty()) {
        const std::filesystem::path element = pending.back();
        pending.pop_back();
        if (element == element.root_directory() && !element.empty()) {
            resolved = element;
        } else if (element == "..") {
            resolved = resolved.parent_path();
        } else if (!element.empty() && element != ".") {
            const std::filesystem::path candidate = resolved / element;
            if (!std::filesystem::is_symlink(candidate, ec)) {
                resolved = candidate;
                continue;
            }
            const std::filesystem::path target = std::filesystem::read_symlink(candidate, ec);
            if (ec || ++links > kMostLinks)
                return {};
            pending.insert(pending.end(), std::make_reverse_iterator(target.end()),
                           std::make_reverse_iterator(target.begin()));
        }
    }
    return resolved;
}

// True when host, with its links followed, still lies in folder (itself
// resolved too, since it may be reached through a link).
bool StaysInside(const std::filesystem::path& host, const std::filesystem::path& folder)
{
    const std::filesystem::path resolvedFolder = WithLinksFollowed(folder);
    const std::filesystem::path resolvedHost = WithLinksFollowed(host);
    if (resolvedFolder.empty() || resolvedHost.empty())
        return false;
    const auto [inFolder, inHost] = std::mismatch(resolvedFolder.begin(), resolvedFolder.end(), resolvedHost.begin(),
                                                  resolvedHost.end());
    return inFolder == resolvedFolder.end() || (inFolder->empty() && std::next(inFolder) == resolvedFolder.end());
}

} // namespace

bool CJ3DriveMap::Map(char driveLetter, const std::filesystem::path& hostFolder)
{
    const char drive = UpperDrive(driveLetter);
    if (drive == '\0' || !hostFolder.is_absolute())
        return false;
    m_drives[drive] = hostFolder.lexically_normal();
    return true;
}

std::filesystem::path CJ3DriveMap::ToHostPath(const std::string& windowsPath, std::string& error) const
{
    const char drive = windowsPath.size() >= 2 && windowsPath[1] == ':' ? UpperDrive(windowsPath[0]) : '\0';
    if (drive == '\0' || windowsPath.size() < 3 || !IsSeparator(windowsPath[2])) {
        error = "\"" + windowsPath + "\" is no absolute path on a drive (expected e.g. C:\\folder\\file)";
        return {};
    }
    const auto mapped = m_drives.find(drive);
    if (mapped == m_drives.end()) {
        error = "drive " + std::string(1, drive) + ": of \"" + windowsPath +
                "\" is not mapped to a host folder in the machine configuration";
        return {};
    }

    std::vector<std::string> elements;
    std::string element;
    for (std::size_t i = 3; i <= windowsPath.size(); ++i) {
        if (i < windowsPath.size() && !IsSeparator(windowsPath[i])) {
            element += windowsPath[i];
            continue;
        }
        if (element == "..") {
            if (elements.empty()) {
                error = "\"" + windowsPath + "\" leaves the folder of drive " + std::string(1, drive) + ":";
                return {};
            }
            elements.pop_back();
        } else if (!element.empty() && element != ".") {
            elements.push_back(element);
        }
        element.clear();
    }

    std::filesystem::path host = mapped->second;
    for (const auto& name : elements)
        host = ExistingSpelling(host, name);
    if (!StaysInside(host, mapped->second)) {
        error = "\"" + windowsPath + "\" leads through a symbolic link out of the folder of drive " +
                std::string(1, drive) + ":";
        return {};
    }
    error.clear();
    return host;
}
