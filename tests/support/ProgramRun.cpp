#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace j3test {

SProgramRun RunProgram(const std::string& commandLine, const std::string& errFolder)
{
    const std::string errFile = errFolder + "/program-err.txt";
    const std::string command = commandLine + " 2>'" + errFile + "'";
    SProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot start " << command;
        return run;
    }
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe))
        run.out += buffer.data();
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = FileBytes(errFile);
    return run;
}

} // namespace j3test
