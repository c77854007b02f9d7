#include "j3db/J3DbTool.h"

#include <unistd.h>

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    CJ3DbTool tool(std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    return tool.Run(std::vector<std::string>(argv + 1, argv + argc));
}
