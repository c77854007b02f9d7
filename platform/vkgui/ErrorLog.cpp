#include "vkgui/ErrorLog.h"

#include "vkbasis/TerminalText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <set>
#include <string>
#include <utility>

namespace {

std::string EntryLine(const char* text)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%d.%m.%Y %H:%M:%S", &local);
    std::string line = stamp;
    line += ' ';
    line += text != nullptr ? text : "";
    line += '\n';
    return line;
}

// Once per log file and process, so that a log that cannot be written does
// not bury the program's own messages.
void ReportFailure(const std::filesystem::path& logFile, const char* reason)
{
    static std::mutex s_reportLock;
    static std::set<std::filesystem::path> s_reported;
    const std::lock_guard<std::mutex> lock(s_reportLock);
    if (s_reported.insert(logFile).second)
        std::fprintf(stderr, "ErrorLog1: cannot write to %s: %s\n", CTerminalText::Safe(logFile.string()).c_str(),
                     reason);
}

// Closes the descriptor it holds.
struct SDescriptor {
    int fd;
    ~SDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// The log's folder, opened one level after the other from the root (or the
// working folder) without following a link, and created where missing.
int OpenFolder(const std::filesystem::path& folder)
{
    SDescriptor current{::open(folder.is_absolute() ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC)};
    for (const auto& element : folder.relative_path()) {
        const std::string name = element.string();
        if (name.empty() || name == ".")
            continue;
        if (::mkdirat(current.fd, name.c_str(), 0777) != 0 && errno != EEXIST)
            return -1;
        SDescriptor next{::openat(current.fd, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)};
        if (next.fd < 0)
            return -1;
        std::swap(current.fd, next.fd);
    }
    return std::exchange(current.fd, -1);
}

} // namespace

void ErrorLog1(const std::filesystem::path& logFile, const char* text) noexcept
{
    try {
        const std::string line = EntryLine(text);
        static std::mutex s_writeLock;
        const std::lock_guard<std::mutex> lock(s_writeLock);
        const SDescriptor folder{OpenFolder(logFile.parent_path())};
        // Non-blocking, so that a pipe put in the log's place cannot hold the
        // program; it is refused below with anything else but a file.
        const SDescriptor file{
            folder.fd < 0 ? -1
                          : ::openat(folder.fd, logFile.filename().c_str(),
                                     O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600)};
        if (file.fd < 0) {
            ReportFailure(logFile, std::strerror(errno));
            return;
        }
        // A hard link would carry the line into a file elsewhere.
        struct stat status {};
        if (::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink != 1) {
            ReportFailure(logFile, "no regular file of its own (a link, pipe or device)");
            return;
        }
        if (::write(file.fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            ReportFailure(logFile, "incomplete write");
    } catch (const std::exception& e) {
        ReportFailure(logFile, e.what());
    } catch (...) {
        ReportFailure(logFile, "unknown failure");
    }
}
