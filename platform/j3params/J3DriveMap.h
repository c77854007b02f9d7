#pragma once
#include <filesystem>
#include <map>
#include <string>

// Maps Windows paths that name the host's disk ("C:\J3\Log\dbdll.log") to host
// paths by drive letter, as a compatibility layer maps drives: "C:" stands for
// one configured host folder.
//
// Choices made here:
// - Only absolute drive paths are mapped ("X:\..." or "X:/..."); relative,
//   drive-relative ("C:x"), rooted-without-drive ("\x") and UNC ("\\server\x")
//   paths are refused.
// - "." elements are dropped and ".." is resolved lexically; a ".." that would
//   leave the drive's folder is refused. Symbolic links inside the folder are
//   followed as long as they lead to a place inside it; a path that a link
//   would lead out of the folder is refused.
// - Windows names are case-insensitive: an element that does not exist with the
//   exact spelling takes the spelling of an existing entry that differs only in
//   case; otherwise the spelling given is kept (for files yet to be created).
// - Texts are UTF-8 on both sides.
class CJ3DriveMap {
public:
    // Letter of either case; the folder must be absolute (refusal: false).
    bool Map(char driveLetter, const std::filesystem::path& hostFolder);

    // Upper-case drive letter -> host folder.
    const std::map<char, std::filesystem::path>& Drives() const { return m_drives; }

    // The host path for windowsPath, or the empty path with a reason in error.
    // linkFree, when given, receives the same place with every link followed,
    // which can be opened without following any (a link set in its way later
    // then makes the open fail instead of leading elsewhere). Costs in
    // proportion to the path's length.
    std::filesystem::path ToHostPath(const std::string& windowsPath, std::string& error,
                                     std::filesystem::path* linkFree = nullptr) const;

private:
    std::map<char, std::filesystem::path> m_drives;
};
