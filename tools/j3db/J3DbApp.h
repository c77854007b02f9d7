#pragma once
#include "J3Dialoge/J3WinApp.h"

#include <string>
#include <vector>

// The program "j3db" as a program of the suite: its application object starts
// the system services (paths, database error log, crash reports) around the
// admin tool's run. The tool opens no window, so without a display it runs on
// the offscreen platform instead of failing to start.
class CJ3DbApp : public CJ3WinApp {
public:
    explicit CJ3DbApp(std::vector<std::string> args);

    int Run() override;

private:
    std::vector<std::string> m_args;
};
