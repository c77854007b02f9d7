#include "win32/CrashReport.h"

#include "win32/Win32Journal.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h> // NOLINT(modernize-deprecated-headers): sigaction is POSIX, <csignal> lacks it
#include <unistd.h>

#include <cstring>

namespace {

// Everything the handler needs is prepared here; the handler itself only
// uses async-signal-safe calls.
constexpr std::size_t kTextSize = 1024;
char s_pathPrefix[kTextSize]; // "<folder>/<app>-crash-"
char s_header[kTextSize];     // "Programm: <app>\nVersion: <version>\n"
constexpr int kCrashSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};

void WriteText(int file, const char* text)
{
    const ssize_t ignored = write(file, text, std::strlen(text));
    (void)ignored;
}

// Decimal digits of a non-negative number into buffer (at least 24 bytes).
void FormatNumber(long number, char* buffer)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number > 0 && count < 23);
    for (int i = 0; i < count; ++i)
        buffer[i] = digits[count - 1 - i];
    buffer[count] = '\0';
}

void OnCrash(int signalNumber)
{
    char path[kTextSize + 32];
    char number[24];
    std::strcpy(path, s_pathPrefix);
    FormatNumber(static_cast<long>(getpid()), number);
    std::strcat(path, number);
    std::strcat(path, ".txt");
    const int file = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file >= 0) {
        WriteText(file, s_header);
        WriteText(file, "Signal: ");
        FormatNumber(signalNumber, number);
        WriteText(file, number);
        WriteText(file, "\nBacktrace:\n");
        void* frames[64];
        const int frameCount = backtrace(frames, 64);
        backtrace_symbols_fd(frames, frameCount, file);
        close(file);
    }
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

} // namespace

bool CCrashReport::Install(const std::string& hostFolder, const std::string& appName, const std::string& version)
{
    std::string prefix = hostFolder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    prefix += appName + "-crash-";
    const std::string header = "Programm: " + appName + "\nVersion: " + version + "\n";
    if (hostFolder.empty() || prefix.size() >= kTextSize || header.size() >= kTextSize)
        return false;
    // backtrace() loads its unwinder on first use, which is not safe inside a
    // signal handler: do that now.
    void* frame[1];
    backtrace(frame, 1);
    std::memcpy(s_pathPrefix, prefix.c_str(), prefix.size() + 1);
    std::memcpy(s_header, header.c_str(), header.size() + 1);
    for (int signalNumber : kCrashSignals)
        signal(signalNumber, &OnCrash);
    CWin32Journal::Record("CrashReport " + hostFolder);
    return true;
}

std::string CCrashReport::ReportPath(long pid)
{
    if (!*s_pathPrefix)
        return {};
    char number[24];
    FormatNumber(pid, number);
    return std::string(s_pathPrefix) + number + ".txt";
}
