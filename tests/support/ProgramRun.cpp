#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

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
    std::ifstream errStream(errFile);
    run.err.assign(std::istreambuf_iterator<char>(errStream), {});
    return run;
}

} // namespace j3test
