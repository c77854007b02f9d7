#include "j3params/J3DriveMap.h"

#include "j3params/J3PlaceWalk.h"

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

// True when host lies in folder (both with their links followed).
bool StaysInside(const std::filesystem::path& resolvedHost, const std::filesystem::path& resolvedFolder)
{
    const auto [inFolder, inHost] =
        std::mismatch(resolvedFolder.begin(), resolvedFolder.end(), resolvedHost.begin(), resolvedHost.end());
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

std::filesystem::path CJ3DriveMap::ToHostPath(const std::string& windowsPath, std::string& error,
                                              std::filesystem::path* linkFree) const
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

    // One walk, one level after the other, first to the drive's folder and
    // then on through the path's names from there.
    CJ3PlaceWalk walk;
    std::filesystem::path spelled;
    const bool folderFound = walk.Follow(CJ3PlaceWalk::PendingNames(mapped->second, false), spelled);
    const std::filesystem::path resolvedFolder = walk.Resolved();
    spelled = mapped->second;
    std::vector<SPendingName> pending;
    std::transform(elements.rbegin(), elements.rend(), std::back_inserter(pending), [](const auto& name) {
        return SPendingName{name, true};
    });
    if (!folderFound || !walk.Follow(std::move(pending), spelled) || !StaysInside(walk.Resolved(), resolvedFolder)) {
        error = "\"" + windowsPath + "\" leads through a symbolic link out of the folder of drive " +
                std::string(1, drive) + ":";
        return {};
    }
    error.clear();
    if (linkFree)
        *linkFree = walk.Resolved();
    return spelled;
}
