#include "J3Dialoge/J3WinApp.h"

#include "j3params/J3HostText.h"
#include "j3params/J3Params.h"
#include "msgbox/Boxes.h"
#include "vkbasis/Trace.h"
#include "vkdb/VKServerNotice.h"
#include "win32/LibraryLoader.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <iostream>

const CRuntimeClass CJ3WinApp::classCJ3WinApp{"CJ3WinApp", &CVKWinApp::classCVKWinApp};
int CJ3WinApp::s_appCount = 0;

namespace {

// The suite's trace readers know a second application object by this line
// of the registration, whatever line the code stands on here.
constexpr int kRegistrationTraceLine = 36;

// The person at a window of the program hears it in a box; a program without
// one (a command-line tool) says it on stderr.
void TellPerson(const CString& text)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (std::any_of(windows.begin(), windows.end(), [](const QWidget* window) { return window->isVisible(); }))
        Halt("Datenbankserver", text, nullptr);
    else
        std::cerr << CJ3HostText::ToTerminal(text) << "\n";
}

} // namespace

CJ3WinApp::CJ3WinApp(const char* appName) : CVKWinApp(appName)
{
    LoadLeakTracker();
    if (s_appCount == 0)
        gp_VKSysBase = &m_sysBase;
    else
        VKTrace(2, 0, "J3WinApp", kRegistrationTraceLine, "gp_VKSysBase");
    ++s_appCount;
}

CJ3WinApp::~CJ3WinApp()
{
    const bool wasLast = s_appCount-- == 1;
    if (wasLast || gp_VKSysBase == &m_sysBase)
        gp_VKSysBase = nullptr;
}

void CJ3WinApp::LoadLeakTracker()
{
    CString leakTrack = "0";
    GetJ3MachineParameter("leaktrack", leakTrack);
    // The tracker hooks the allocator for the whole process; it stays loaded.
    if (std::atoi(leakTrack) != 0)
        AfxLoadLibrary("leaktrack");
}

int CJ3WinApp::InitInstance()
{
    const int baseResult = CVKWinApp::InitInstance();
    const int servicesResult = m_sysBase.InitInstance();
    UseCrashReporting();
    CVKServerNotice::SetListener(&TellPerson);
    return baseResult & servicesResult;
}

void CJ3WinApp::UseCrashReporting()
{
    CString useCrashRpt;
    if (GetJ3MachineParameter("UseCrashRpt", useCrashRpt) && useCrashRpt != "1")
        return;
    UseCrashRpt(GetJ3LogPath(), "J3", "2.95.2", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Norvane\\J3");
}

int CJ3WinApp::ExitInstance()
{
    CVKServerNotice::SetListener({});
    m_sysBase.ExitInstance();
    return CVKWinApp::ExitInstance();
}
