#pragma once
#include "J3Dialoge/J3SysBase.h"
#include "vkbasis/CVKWinApp.h"

// The application base of the suite's programs. A program derives its one
// application object from it; the object's system services become the
// suite-wide ones (gp_VKSysBase) while it lives:
//
//     class CMyApp : public CJ3WinApp {
//     public:
//         int Run() override { ...show the program's dialog...; return m_nExitCode; }
//     };
//     int main(int argc, char** argv) { CMyApp app("MyApp"); return app.WinMain(argc, argv); }
//
// Start-up runs the application base, then the system services, then sets up
// crash reporting (on unless the machine parameter "UseCrashRpt" says
// otherwise); the end runs the system services' end before the base's.
//
// Only the first of several live objects registers its system services. When
// the registered object goes while others live, the registration is cleared
// rather than left pointing at the destroyed object; it is cleared in any
// case when the last object goes.
class CJ3WinApp : public CVKWinApp {
public:
    explicit CJ3WinApp(const char* appName = nullptr);
    ~CJ3WinApp() override;

    static const CRuntimeClass classCJ3WinApp;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCJ3WinApp; }

    int InitInstance() override;
    int ExitInstance() override;

    CJ3SysBase& GetSysBase() { return m_sysBase; }
    // Number of live application objects.
    static int GetAppCount() { return s_appCount; }

private:
    void LoadLeakTracker();
    void UseCrashReporting();

    CJ3SysBase m_sysBase;

    static int s_appCount;
};
