#pragma once
#include "vkbasis/CString.h"
#include "win32/RuntimeClass.h"

#include <memory>
#include <vector>

class QApplication;
class QWidget;

// The suite's application base. A program makes one object of a derived class
// and calls WinMain from main(); WinMain runs InitInstance, then Run when that
// succeeded, then ExitInstance, and returns what ExitInstance returns:
//
//     int main(int argc, char** argv) { CMyApp app; return app.WinMain(argc, argv); }
//
// InitInstance starts the Qt application unless the process already has one
// (then it is used and left to its owner); the object deletes the one it
// started when it is destroyed.
class CVKWinApp {
public:
    explicit CVKWinApp(const char* appName = nullptr);
    virtual ~CVKWinApp();
    CVKWinApp(const CVKWinApp&) = delete;
    CVKWinApp& operator=(const CVKWinApp&) = delete;

    int WinMain(int argc, char** argv);

    static const CRuntimeClass classCVKWinApp;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCVKWinApp; }

    // 1 when the application runs.
    virtual int InitInstance();
    // The program's run. The base shows m_pMainWnd, when set, and runs the
    // event loop until the application quits; the exit code goes to
    // m_nExitCode. Without a main window there is nothing to run.
    virtual int Run();
    // Ends OLE when this thread started it and returns m_nExitCode.
    virtual int ExitInstance();

    // Crash reporting: a crash writes a report with a backtrace into the
    // folder logDir (a Windows path on a mapped drive, or a host path). The
    // registry key is where the reporting settings live on Windows; there is
    // no registry here, so it is only noted. False when logDir has no host
    // folder.
    bool UseCrashRpt(const CString& logDir, const CString& appName, const CString& version, const CString& regKey);

    const CString& AppName() const { return m_strAppName; }

    QWidget* m_pMainWnd = nullptr;
    int m_nExitCode = 0;

private:
    CString m_strAppName;
    // QApplication keeps references to its argument count and vector.
    int m_argc = 0;
    std::vector<std::string> m_arguments;
    std::vector<char*> m_argv;
    std::unique_ptr<QApplication> m_ownedApplication;
};
