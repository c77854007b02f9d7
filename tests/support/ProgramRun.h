#pragma once
#include <string>

namespace j3test {

// What a program run as its own process left behind.
struct SProgramRun {
    int code = -1;  // the exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs a shell command line as a person would type it; standard error goes
// through a file in errFolder.
SProgramRun RunProgram(const std::string& commandLine, const std::string& errFolder);

} // namespace j3test
