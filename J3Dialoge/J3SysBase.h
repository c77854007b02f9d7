#pragma once
#include "vkbasis/CString.h"
#include "vkbasis/CVKSysBase.h"
#include "win32/Gdiplus.h"
#include "win32/WinTypes.h"

class CJBeh;

// The suite's system-services object of a program built on this module:
// starts and ends the Windows-side services of the program, fills the
// suite-wide directories, and answers the suite's libraries on help,
// accelerators, hotkeys, the Daisy knowledge base, database error logging,
// record info and the deletion protocol.
//
// Choices made here:
// - A start (InitInstance) that fails leaves the GDI+ object count alone, and
//   ExitInstance gives back only what this object itself took (its count,
//   its GDI+ start and hook, its resource library): an object that failed to
//   start, is ended twice, or is a copy of a started one would otherwise
//   drive the count below zero, keep every later object from starting GDI+,
//   and end GDI+ under the original. A copy shows the original's handles and
//   tokens but takes none of them; an assigned object keeps what it took.
// - The directories are written into the registered object (gp_VKSysBase);
//   with none registered, into this object.
// - When the shell has no common program files folder, or the folder with
//   "VK\Dental" would exceed MAX_PATH - 1 characters, m_commonDentalPath is "".
// - A database error whose log file has no host path goes to the trace
//   instead of being lost.
// - Only a record set that is a treatment record (CJBeh) of the table "BEH"
//   gets a deletion protocol; the protocol text's last two fields are the
//   treatment's service code and service text. The entry is written on the
//   record set's own connection, inside the transaction of its delete, so
//   that entry and deletion are kept or lost together.
class CJ3SysBase : public CVKSysBase {
public:
    CJ3SysBase();
    CJ3SysBase(const CJ3SysBase& other);
    CJ3SysBase& operator=(const CJ3SysBase& other);
    ~CJ3SysBase() override;

    int InitInstance() override;
    void ExitInstance() override;
    void LoadAcceleratorsA(CVKDialog* dialog, unsigned int kind) override;
    void SetHelpName(CWPFDialog* dialog, const CString& helpName) override;
    void SetHelpName(CVKDialog* dialog, const CString& helpName) override;
    long OnCommandHelp(CWPFDialog* dialog, unsigned int command, long context) override;
    long OnCommandHelp(CVKDialog* dialog, unsigned int command, long context) override;
    void OnHotkey(CWPFDialog* dialog) override;
    void OnHotkey(CVKDialog* dialog) override;
    void DisableHelpButton(CWPFDialog* dialog) override;
    void DisableHelpButton(CVKDialog* dialog) override;
    int HasDaisyHOZ() override;
    void OnStartDaisy(const CString& first, const CString& second, bool flag) override;
    void AtExit(void (*function)()) override;
    CString MainRegKey() override;
    const wchar_t* AppUserModelID() override;
    CString GetTempDirDB(CString suffix) override;
    void DoDBError(const CString& message) override;
    CString DBErrorString() override;
    CString MakeRInfo(const CString& oldInfo) override;
    void DeleteProtokoll(const CVKRSet* recordSet) override;
    bool TriggerSelectRead(const CVKRSet* recordSet, bool forUpdate) override;

    HWND GetHelpWindow() const { return m_hHelpWnd; }
    HMODULE GetBitmapModule() const { return m_hBitmapModule; }
    ULONG_PTR GetGdiplusToken() const { return m_gdiplusToken; }
    ULONG_PTR GetGdiplusHookToken() const { return m_gdiplusHookToken; }
    static int GetGdiCount() { return s_gdiCount; }

protected:
    static int s_gdiCount;

private:
    void SetJ3GlobalPaths();
    static CString GetCommonDentalPath();
    static CString GetHelpPath();
    static void SetHelpName(const CString& helpName, CString& helpFile, CString& helpTopic);
    void OnCommandHelp(long context, const CString& helpFile, const CString& helpTopic);
    static CString DoMakeRInfo(const CString& oldInfo);
    static void WriteDeleteProtokoll(const CJBeh& treatment);

    HWND m_hHelpWnd = nullptr;
    HMODULE m_hBitmapModule = nullptr;
    ULONG_PTR m_gdiplusToken = 0;
    ULONG_PTR m_gdiplusHookToken = 0;
    Gdiplus::GdiplusStartupInput m_gdiplusStartupInput;
    Gdiplus::GdiplusStartupOutput m_gdiplusStartupOutput;
    // What this object took at its start and gives back at its end. It is
    // never handed on: a copy starts with nothing taken, and an assigned
    // object keeps what it took itself.
    struct SAcquired {
        SAcquired() = default;
        SAcquired(const SAcquired&) {}
        SAcquired& operator=(const SAcquired&) { return *this; }
        void Forget()
        {
            gdiCounted = false;
            gdiplusToken = 0;
            gdiplusHookToken = 0;
            bitmapModule = nullptr;
        }

        bool gdiCounted = false;
        ULONG_PTR gdiplusToken = 0;
        ULONG_PTR gdiplusHookToken = 0;
        HMODULE bitmapModule = nullptr;
    };
    SAcquired m_acquired;
};
