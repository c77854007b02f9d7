#include "j3db/J3LocalFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

std::string SystemReason()
{
    return std::strerror(errno);
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Closes the descriptor however the function ends.
struct SDescriptor {
    int fd;
    ~SDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool Close()
    {
        const int closing = fd;
        fd = -1;
        return ::close(closing) == 0;
    }
};

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool CJ3LocalFile::Read(const std::filesystem::path& file, bool followLinks, std::string& content,
                        std::int64_t& lastWriteTime, std::string& error)
{
    // Non-blocking, so that a pipe without a writer cannot hold the open; it
    // is refused below as no regular file.
    SDescriptor in{::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | (followLinks ? 0 : O_NOFOLLOW))};
    struct stat status {};
    if (in.fd < 0 || ::fstat(in.fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = "Die lokale Datei " + file.string() + " gibt es nicht, oder sie ist keine Datei" +
                (followLinks ? "." : " (symbolische Verknüpfungen werden nicht gelesen).");
        return false;
    }
    content.clear();
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(in.fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = "Die lokale Datei " + file.string() + " kann nicht gelesen werden: " + SystemReason();
            return false;
        }
        if (got == 0)
            break;
        content.append(buffer.data(), static_cast<std::size_t>(got));
    }
    lastWriteTime = status.st_mtim.tv_sec;
    return true;
}

bool CJ3LocalFile::Write(const std::filesystem::path& target, std::string_view content, std::string& error)
{
    const auto fail = [&] {
        error = "Die lokale Datei " + target.string() + " kann nicht geschrieben werden: " + SystemReason();
        return false;
    };
    struct stat link {};
    const bool isLink = ::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    std::error_code ec;
    const std::filesystem::path resolved = isLink ? std::filesystem::weakly_canonical(target, ec) : target;
    if (ec) {
        error = "Die Verknüpfung " + target.string() + " führt nirgends hin: " + ec.message();
        return false;
    }
    struct stat status {};
    const bool exists = ::stat(resolved.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        SDescriptor out{::open(resolved.c_str(), O_WRONLY | O_CLOEXEC)};
        if (out.fd < 0 || !WriteAll(out.fd, content) || !out.Close())
            return fail();
        return true;
    }

    const std::filesystem::path folder = resolved.has_parent_path() ? resolved.parent_path() : ".";
    std::string pattern = (folder / ("." + resolved.filename().string() + ".j3db-XXXXXX")).string();
    SDescriptor out{::mkostemp(pattern.data(), O_CLOEXEC)};
    if (out.fd < 0)
        return fail();
    const bool written = ::fchmod(out.fd, exists ? (status.st_mode & 07777) : NewFileMode()) == 0 &&
                         WriteAll(out.fd, content) && ::fsync(out.fd) == 0 && out.Close() &&
                         ::rename(pattern.c_str(), resolved.c_str()) == 0;
    if (!written) {
        const int reason = errno;
        ::unlink(pattern.c_str());
        errno = reason;
        return fail();
    }
    return true;
}
