#pragma once
#include "vkbasis/CString.h"

class CVKDialog;
class CWPFDialog;
class CVKRSet;

// The suite's system-services object. The suite's libraries reach the
// services of the running program only through gp_VKSysBase and these virtual
// operations; a program's application object registers its own derived
// object there. The base answers every service neutrally (no help, no
// accelerators, empty texts, nothing logged) so that a library works, if
// plainly, in a program without one.
class CVKSysBase {
public:
    CVKSysBase() = default;
    CVKSysBase(const CVKSysBase&) = default;
    CVKSysBase& operator=(const CVKSysBase&) = default;
    virtual ~CVKSysBase() = default;

    // Starts the services; 0 when this object is already started.
    virtual int InitInstance();
    virtual void ExitInstance();
    virtual void LoadAcceleratorsA(CVKDialog* dialog, unsigned int kind);
    virtual void SetHelpName(CWPFDialog* dialog, const CString& helpName);
    virtual void SetHelpName(CVKDialog* dialog, const CString& helpName);
    virtual long OnCommandHelp(CWPFDialog* dialog, unsigned int command, long context);
    virtual long OnCommandHelp(CVKDialog* dialog, unsigned int command, long context);
    virtual void OnHotkey(CWPFDialog* dialog);
    virtual void OnHotkey(CVKDialog* dialog);
    virtual void DisableHelpButton(CWPFDialog* dialog);
    virtual void DisableHelpButton(CVKDialog* dialog);
    virtual int HasDaisyHOZ();
    virtual void OnStartDaisy(const CString& first, const CString& second, bool flag);
    virtual void AtExit(void (*function)());
    virtual CString MainRegKey();
    virtual const wchar_t* AppUserModelID();
    virtual CString GetTempDirDB(CString suffix);
    virtual void DoDBError(const CString& message);
    virtual CString DBErrorString();
    virtual CString MakeRInfo(const CString& oldInfo);
    virtual void DeleteProtokoll(const CVKRSet* recordSet);
    virtual bool TriggerSelectRead(const CVKRSet* recordSet, bool forUpdate);

    // Lets dialogs host controls (noted in the journal of the Windows calls).
    void VKEnableControlContainer();

    bool IsStarted() const { return m_bStarted; }

    // The suite-wide directories, filled by the derived object at start-up.
    CString m_dataPath;
    CString m_printTemplatePath;
    CString m_printTemplateROPath;
    CString m_dataROPath;
    CString m_commonDentalPath;
    CString m_appDataPath;
    CString m_tempPath;
    CString m_logPath;

private:
    bool m_bStarted = false;
};

// The registered system-services object; null while none is registered.
extern CVKSysBase* gp_VKSysBase;
