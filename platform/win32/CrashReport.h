#pragma once
#include <string>

// Crash reporting: after Install, a crash (SIGSEGV, SIGABRT, SIGBUS, SIGFPE,
// SIGILL) writes "<app>-crash-<pid>.txt" into the report folder, with the
// program's name, version, the signal and a backtrace, and then ends the
// program with the signal's default action.
class CCrashReport {
public:
    // False (and nothing installed) when the host folder text is empty or too
    // long for the report path.
    static bool Install(const std::string& hostFolder, const std::string& appName, const std::string& version);
    // The report file the crash of process pid would write ("" before Install).
    static std::string ReportPath(long pid);
};
