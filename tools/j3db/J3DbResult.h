#pragma once
#include <ostream>
#include <string>

// How a command of the admin tool ended, the one way its parts report a
// failure: the exit status ("0 done, 1 the work failed, 2 wrong call") and the
// message that tells the user why.
class CJ3DbResult {
public:
    static CJ3DbResult Done() { return CJ3DbResult(0, {}); }
    // The work failed; nothing is changed.
    static CJ3DbResult Failed(std::string message) { return CJ3DbResult(1, std::move(message)); }
    // The call itself is wrong; the message gets a hint to --help.
    static CJ3DbResult WrongCall(std::string message) { return CJ3DbResult(2, std::move(message)); }

    bool IsDone() const { return m_exitCode == 0; }
    int ExitCode() const { return m_exitCode; }
    const std::string& Message() const { return m_message; }
    // The message as the tool prints it on err; nothing when done.
    void Report(std::ostream& err) const;

private:
    CJ3DbResult(int exitCode, std::string message) : m_exitCode(exitCode), m_message(std::move(message)) {}

    int m_exitCode;
    std::string m_message;
};
