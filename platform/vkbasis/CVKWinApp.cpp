#include "vkbasis/CVKWinApp.h"

#include "vkbasis/PlatformChatterFilter.h"
#include "win32/AfxOle.h"
#include "win32/CrashReport.h"
#include "win32/HostFiles.h"
#include "win32/Win32Journal.h"

#include <QApplication>
#include <QWidget>

const CRuntimeClass CVKWinApp::classCVKWinApp{"CVKWinApp", nullptr};

CVKWinApp::CVKWinApp(const char* appName) : m_strAppName(appName ? appName : "")
{
}

CVKWinApp::~CVKWinApp()
{
    if (m_ownedApplication) {
        // Windows still open belong to an application that ends now.
        QApplication::closeAllWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_ownedApplication.reset();
    }
}

int CVKWinApp::WinMain(int argc, char** argv)
{
    m_arguments.assign(argv, argv + argc);
    if (InitInstance())
        Run();
    return ExitInstance();
}

int CVKWinApp::InitInstance()
{
    CWin32Journal::Record("CVKWinApp::InitInstance");
    if (QCoreApplication::instance())
        return qobject_cast<QApplication*>(QCoreApplication::instance()) ? 1 : 0;
    if (m_arguments.empty())
        m_arguments.push_back(m_strAppName.IsEmpty() ? std::string("j3") : std::string(m_strAppName.GetString()));
    m_argv.clear();
    for (std::string& argument : m_arguments)
        m_argv.push_back(argument.data());
    m_argv.push_back(nullptr);
    m_argc = static_cast<int>(m_arguments.size());
    // The application this frame starts prints only the program's own
    // messages, not the platform's notes on what it lacks.
    CPlatformChatterFilter::Install();
    m_ownedApplication = std::make_unique<QApplication>(m_argc, m_argv.data());
    return 1;
}

int CVKWinApp::Run()
{
    CWin32Journal::Record("CVKWinApp::Run");
    if (m_pMainWnd && QCoreApplication::instance()) {
        m_pMainWnd->show();
        m_nExitCode = QApplication::exec();
    }
    return m_nExitCode;
}

int CVKWinApp::ExitInstance()
{
    CWin32Journal::Record("CVKWinApp::ExitInstance");
    AfxOleTerm();
    return m_nExitCode;
}

bool CVKWinApp::UseCrashRpt(const CString& logDir, const CString& appName, const CString& version,
                            const CString& regKey)
{
    CWin32Journal::Record(std::string("UseCrashRpt ") + logDir.GetString() + " " + appName.GetString() + " " +
                          version.GetString() + " " + regKey.GetString());
    return CCrashReport::Install(CHostPaths::ToHost(logDir.GetString()), appName.GetString(), version.GetString());
}
