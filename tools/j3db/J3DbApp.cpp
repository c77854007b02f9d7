#include "j3db/J3DbApp.h"

#include "j3db/J3DbTool.h"

#include <unistd.h>

#include <iostream>

CJ3DbApp::CJ3DbApp(std::vector<std::string> args) : CJ3WinApp("j3db"), m_args(std::move(args))
{
    // A start that fails before Run is a failure of the tool.
    m_nExitCode = 1;
}

int CJ3DbApp::Run()
{
    CJ3DbTool tool(std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    m_nExitCode = tool.Run(m_args);
    return m_nExitCode;
}
