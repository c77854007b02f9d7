#include "vkbasis/CVKSysBase.h"

#include "vkbasis/ExitFunctions.h"
#include "win32/Win32Journal.h"

CVKSysBase* gp_VKSysBase = nullptr;

int CVKSysBase::InitInstance()
{
    CWin32Journal::Record("CVKSysBase::InitInstance");
    if (m_bStarted)
        return 0;
    m_bStarted = true;
    return 1;
}

void CVKSysBase::ExitInstance()
{
    CWin32Journal::Record("CVKSysBase::ExitInstance");
    m_bStarted = false;
}

void CVKSysBase::LoadAcceleratorsA(CVKDialog*, unsigned int)
{
}
void CVKSysBase::SetHelpName(CWPFDialog*, const CString&)
{
}
void CVKSysBase::SetHelpName(CVKDialog*, const CString&)
{
}

long CVKSysBase::OnCommandHelp(CWPFDialog*, unsigned int, long)
{
    return 0;
}

long CVKSysBase::OnCommandHelp(CVKDialog*, unsigned int, long)
{
    return 0;
}

void CVKSysBase::OnHotkey(CWPFDialog*)
{
}
void CVKSysBase::OnHotkey(CVKDialog*)
{
}
void CVKSysBase::DisableHelpButton(CWPFDialog*)
{
}
void CVKSysBase::DisableHelpButton(CVKDialog*)
{
}

int CVKSysBase::HasDaisyHOZ()
{
    return 0;
}

void CVKSysBase::OnStartDaisy(const CString&, const CString&, bool)
{
}

void CVKSysBase::AtExit(void (*function)())
{
    AtVKExit(function);
}

CString CVKSysBase::MainRegKey()
{
    return {};
}

const wchar_t* CVKSysBase::AppUserModelID()
{
    return L"";
}

// Overrides take the suffix by value and change their copy.
CString CVKSysBase::GetTempDirDB(CString /*suffix*/) // NOLINT(performance-unnecessary-value-param)
{
    return {};
}

void CVKSysBase::DoDBError(const CString&)
{
}

CString CVKSysBase::DBErrorString()
{
    return {};
}

CString CVKSysBase::MakeRInfo(const CString&)
{
    return {};
}

void CVKSysBase::DeleteProtokoll(const CVKRSet*)
{
}

bool CVKSysBase::TriggerSelectRead(const CVKRSet*, bool)
{
    return false;
}

void CVKSysBase::VKEnableControlContainer()
{
    CWin32Journal::Record("VKEnableControlContainer");
}
