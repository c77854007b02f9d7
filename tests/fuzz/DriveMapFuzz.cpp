// The drive mapping against a model: an absolute path on drive C: maps to the
// drive's folder joined with its names ("." dropped, ".." going up one level);
// a ".." above the drive's folder, another drive and every other form of
// path are refused.
#include "FuzzCheck.h"

#include "j3params/J3DriveMap.h"

#include <optional>
#include <string>
#include <vector>

namespace {

// A folder that does not exist: the mapping keeps the spelling given and
// never reads the disk.
const std::filesystem::path kDriveFolder = "/nonexistent/j3fuzz/drive_c";

std::optional<std::filesystem::path> ModelHostPath(const std::string& windowsPath)
{
    const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    if (windowsPath.size() < 3 || (windowsPath[0] != 'C' && windowsPath[0] != 'c') || windowsPath[1] != ':' ||
        !isSeparator(windowsPath[2]))
        return std::nullopt;
    std::vector<std::string> names;
    std::string name;
    for (std::size_t i = 3; i <= windowsPath.size(); ++i) {
        if (i < windowsPath.size() && !isSeparator(windowsPath[i])) {
            name += windowsPath[i];
            continue;
        }
        if (name == "..") {
            if (names.empty())
                return std::nullopt;
            names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        name.clear();
    }
    std::filesystem::path host = kDriveFolder;
    for (const auto& each : names)
        host /= each;
    return host;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CJ3DriveMap drives = [] {
        CJ3DriveMap map;
        map.Map('c', kDriveFolder);
        return map;
    }();
    const std::string windowsPath(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::filesystem::path host = drives.ToHostPath(windowsPath, error);
    const auto expected = ModelHostPath(windowsPath);
    FuzzCheck(host.empty() == !error.empty(), "a refusal always gives a reason");
    FuzzCheck(expected ? host == *expected : host.empty(), "the host path is the model's, or both refuse");
    return 0;
}
