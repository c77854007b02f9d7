#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Files of the host that the admin tool reads and writes.
//
// Reading can refuse symbolic links, so that an import takes only what lies
// in the folder itself. Writing replaces a regular file (or creates one)
// through a temporary file created exclusively, under an unpredictable name,
// beside it, renamed over it only when complete: a failure leaves the old
// file, and a link planted beside it is never followed. A target that is no
// regular file (a device, a pipe) is written in place; a symbolic link is
// written through to what it names and itself kept.
class CJ3LocalFile {
public:
    // The whole file and its last write time (seconds since 1970 UTC); false
    // with a German reason in error.
    static bool Read(const std::filesystem::path& file, bool followLinks, std::string& content,
                     std::int64_t& lastWriteTime, std::string& error);
    static bool Write(const std::filesystem::path& target, std::string_view content, std::string& error);
};
