#include "vkgui/ErrorLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <system_error>

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

void ReportFailure(const std::filesystem::path& logFile, const char* reason)
{
    std::fprintf(stderr, "ErrorLog1: cannot write to %s: %s\n", logFile.c_str(), reason);
}

} // namespace

void ErrorLog1(const std::filesystem::path& logFile, const char* text) noexcept
{
    try {
        const std::string line = EntryLine(text);
        static std::mutex s_writeLock;
        const std::lock_guard<std::mutex> lock(s_writeLock);
        std::error_code error;
        if (logFile.has_parent_path())
            std::filesystem::create_directories(logFile.parent_path(), error);
        std::FILE* file = std::fopen(logFile.c_str(), "ab");
        if (file == nullptr) {
            ReportFailure(logFile, std::strerror(errno));
            return;
        }
        const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
        const bool closed = std::fclose(file) == 0;
        if (!written || !closed)
            ReportFailure(logFile, "incomplete write");
    } catch (const std::exception& e) {
        ReportFailure(logFile, e.what());
    } catch (...) {
        ReportFailure(logFile, "unknown failure");
    }
}
