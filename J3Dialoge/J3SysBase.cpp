#include "J3Dialoge/J3SysBase.h"

#include "J3Dialoge/J3SysBaseLoadProc.h"
#include "J3Dialoge/J3WinAppModule.h"
#include "dbdll/DBIdentity.h"
#include "dbdll/J3RSetEx.h"
#include "dbdll/J3TempDir.h"
#include "dbdll/JBeh.h"
#include "dbdll/JProtokoll.h"
#include "j3params/J3Params.h"
#include "vkbasis/CPath.h"
#include "vkbasis/DateUtils.h"
#include "vkbasis/ExitFunctions.h"
#include "vkbasis/StringUtils.h"
#include "vkbasis/Trace.h"
#include "vkgui/CVKDialog.h"
#include "vkgui/ErrorLog.h"
#include "vkwpfcpp/VKButtonClass.h"
#include "vkwpfcpp/WPFDialog.h"
#include "win32/AfxOle.h"
#include "win32/CommCtrl.h"
#include "win32/HostFiles.h"
#include "win32/HtmlHelp.h"
#include "win32/LibraryLoader.h"
#include "win32/ShellFolders.h"
#include "win32/WindowHandle.h"

#include <QWidget>

#include <chrono>
#include <thread>

int CJ3SysBase::s_gdiCount = 0;

namespace {

constexpr const char* kPrintTemplateFolder = "Druckvorlagen\\";
constexpr const char* kCommonDentalFolder = "VK\\Dental";
constexpr const char* kMainRegKey = "SOFTWARE\\Norvane\\J3";
constexpr const wchar_t* kAppUserModelID = L"TARVELIN.J3";
constexpr const char* kTempDirPrefix = "dbtmp";
constexpr const char* kDBErrorLogName = "dbdll.log";
constexpr const char* kTreatmentTable = "BEH";
constexpr int kProtocolTextLength = 80;

// Accelerator tables of the module by kind of dialog.
constexpr WORD kAcceleratorsKind1 = 134;
constexpr WORD kAcceleratorsKind2 = 133;
constexpr WORD kAcceleratorsOther = 166;

using HelpPathFunction = CString (*)();
using HotkeyFunction = void (*)(CWPFDialog*);
using HasDaisyHOZFunction = int (*)();
using RunDaisyFunction = void (*)(const CString&, const CString&, bool);

// The answer of the Daisy knowledge base for the process; -1: not yet asked.
int s_hasDaisyHOZ = -1;

CString& HelpPathCache()
{
    static CString helpPath;
    return helpPath;
}

bool EndsWithBackslash(const CString& text)
{
    return !text.IsEmpty() && text[text.GetLength() - 1] == '\\';
}

// The first width characters of value, blank-padded.
CString LeftAligned(const CString& value, int width)
{
    return (value + CString(' ', width)).Left(width);
}

// The last width characters of value, blank-padded in front.
CString RightAligned(const CString& value, int width)
{
    return (CString(' ', width) + value).Right(width);
}

} // namespace

CJ3SysBase::CJ3SysBase() = default;
CJ3SysBase::CJ3SysBase(const CJ3SysBase& other) = default;
CJ3SysBase& CJ3SysBase::operator=(const CJ3SysBase& other) = default;
CJ3SysBase::~CJ3SysBase() = default;

int CJ3SysBase::InitInstance()
{
    if (!CVKSysBase::InitInstance())
        return 0;
    if (!AfxGetThreadState()->m_bNeedTerm)
        AfxOleInit();
    VKEnableControlContainer();

    if (s_gdiCount++ == 0) {
        // GDI+ runs without its own thread; the notification hook lets it do
        // that thread's work here.
        m_gdiplusStartupInput.SuppressBackgroundThread = 1;
        if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &m_gdiplusStartupInput, &m_gdiplusStartupOutput) == Gdiplus::Ok &&
            m_gdiplusStartupOutput.NotificationHook)
            m_gdiplusStartupOutput.NotificationHook(&m_gdiplusHookToken);
        m_acquired.gdiplusToken = m_gdiplusToken;
        m_acquired.gdiplusHookToken = m_gdiplusHookToken;
    }
    m_acquired.gdiCounted = true;

    m_hBitmapModule = AfxLoadLibrary("j3bitmap");
    m_acquired.bitmapModule = m_hBitmapModule;

    const INITCOMMONCONTROLSEX controls{
        sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                          ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&controls);

    SetJ3GlobalPaths();
    return 1;
}

void CJ3SysBase::ExitInstance()
{
    if (m_acquired.bitmapModule)
        AfxFreeLibrary(m_acquired.bitmapModule);
    if (m_acquired.gdiCounted)
        --s_gdiCount;
    if (m_acquired.gdiplusHookToken && m_gdiplusStartupOutput.NotificationUnhook)
        m_gdiplusStartupOutput.NotificationUnhook(m_acquired.gdiplusHookToken);
    if (m_acquired.gdiplusToken)
        Gdiplus::GdiplusShutdown(m_acquired.gdiplusToken);
    m_acquired.Forget();
    m_hBitmapModule = nullptr;
    m_gdiplusHookToken = 0;
    m_gdiplusToken = 0;
    CVKSysBase::ExitInstance();
}

void CJ3SysBase::SetJ3GlobalPaths()
{
    CVKSysBase& target = gp_VKSysBase ? *gp_VKSysBase : *this;
    target.m_dataPath = GetJ3DataPath(0);
    target.m_printTemplatePath = GetJ3DataPath(0) + kPrintTemplateFolder;
    target.m_printTemplateROPath = GetJ3DataROPath(0) + kPrintTemplateFolder;
    target.m_dataROPath = GetJ3DataROPath(0);
    target.m_commonDentalPath = GetCommonDentalPath();
    GetJ3AppDataPath(target.m_appDataPath);
    target.m_tempPath = GetJ3TempPath();
    target.m_logPath = GetJ3LogPath();
}

CString CJ3SysBase::GetCommonDentalPath()
{
    CString path;
    LPITEMIDLIST itemList = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAM_FILES_COMMON, &itemList))) {
        char folder[MAX_PATH] = "";
        if (SHGetPathFromIDListA(itemList, folder)) {
            path = folder;
            if (!EndsWithBackslash(path))
                path += '\\';
            path += kCommonDentalFolder;
            if (path.GetLength() >= MAX_PATH)
                path.Empty();
        }
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(SHGetMalloc(&allocator))) {
            allocator->Free(itemList);
            allocator->Release();
        }
    }
    if (!path.IsEmpty() && !EndsWithBackslash(path))
        path += '\\';
    return path;
}

CString CJ3SysBase::MainRegKey()
{
    return kMainRegKey;
}

const wchar_t* CJ3SysBase::AppUserModelID()
{
    return kAppUserModelID;
}

CString CJ3SysBase::GetTempDirDB(CString suffix)
{
    CString result = GetJ3TempDir();
    if (suffix.IsEmpty()) {
        // The program identifier may hold characters a folder name cannot.
        suffix = dbProgId;
        suffix.Replace('?', '0');
        suffix.Replace(' ', '0');
    }
    result += kTempDirPrefix;
    result += suffix;
    CreateDirectoryA(result, nullptr);
    if (!result.IsEmpty() && !EndsWithBackslash(result))
        result += '\\';
    return result;
}

// Help ----------------------------------------------------------------------

CString CJ3SysBase::GetHelpPath()
{
    const auto getHelpPath = LoadProcAs<HelpPathFunction>("j3params", "GetJ3HelpPath");
    return getHelpPath ? getHelpPath() : CString();
}

void CJ3SysBase::SetHelpName(const CString& helpName, CString& helpFile, CString& helpTopic)
{
    // The help file is named after the folder of the dialog's source unit.
    CString folder = CPath(helpName).GetDir();
    folder = folder.Left(folder.GetLength() - 1);
    const int lastBackslash = folder.ReverseFind('\\');
    if (lastBackslash >= 0)
        folder = folder.Mid(lastBackslash + 1);

    CString& helpPath = HelpPathCache();
    if (helpPath.IsEmpty())
        helpPath = GetHelpPath();

    if (PathFileExistsA(helpPath + folder + ".chm")) {
        helpFile = helpPath + folder + ".chm>J3";
        helpTopic = "h" + CPath(helpName).GetFilename() + ".htm";
    } else {
        helpFile.Empty();
    }
}

void CJ3SysBase::SetHelpName(CWPFDialog* dialog, const CString& helpName)
{
    if (!dialog)
        return;
    CString helpFile = dialog->GetHelpFile();
    CString helpTopic = dialog->GetHelpTopic();
    SetHelpName(helpName, helpFile, helpTopic);
    dialog->SetHelpFile(helpFile);
    dialog->SetHelpTopic(helpTopic);
}

void CJ3SysBase::SetHelpName(CVKDialog* dialog, const CString& helpName)
{
    if (dialog)
        SetHelpName(helpName, dialog->m_strHelpFile, dialog->m_strHelpTopic);
}

void CJ3SysBase::OnCommandHelp(long context, const CString& helpFile, const CString& helpTopic)
{
    if (context != 0 || helpFile.IsEmpty())
        return;
    const auto topic = reinterpret_cast<DWORD_PTR>(helpTopic.GetString());
    m_hHelpWnd = HtmlHelpA(GetFocus(), helpFile, HH_DISPLAY_TOPIC, topic);
    HtmlHelpA(GetFocus(), helpFile, HH_SYNC, topic);
}

long CJ3SysBase::OnCommandHelp(CWPFDialog* dialog, unsigned int, long context)
{
    if (dialog)
        OnCommandHelp(context, dialog->GetHelpFile(), dialog->GetHelpTopic());
    return 1;
}

long CJ3SysBase::OnCommandHelp(CVKDialog* dialog, unsigned int, long context)
{
    if (dialog)
        OnCommandHelp(context, dialog->m_strHelpFile, dialog->m_strHelpTopic);
    return 1;
}

void CJ3SysBase::DisableHelpButton(CWPFDialog* dialog)
{
    if (dialog && dialog->GetHelpFile().IsEmpty())
        dialog->SetIsEnabled(VKButtonHelp, false);
}

void CJ3SysBase::DisableHelpButton(CVKDialog* dialog)
{
    if (!dialog || !dialog->m_strHelpFile.IsEmpty())
        return;
    if (CVKDialog::CSpeedBtn* helpButton = dialog->GetSpeedBtn(CVKDialog::ID_HELP_COMMAND))
        helpButton->SetEnabled(0);
}

// Accelerators, hotkeys and Daisy ---------------------------------------------

void CJ3SysBase::LoadAcceleratorsA(CVKDialog* dialog, unsigned int kind)
{
    if (!dialog)
        return;
    const WORD table = kind == 1 ? kAcceleratorsKind1 : kind == 2 ? kAcceleratorsKind2 : kAcceleratorsOther;
    dialog->m_hAccel = ::LoadAcceleratorsA(CJ3WinAppModule::s_hInstance, MakeIntResourceA(table));
}

void CJ3SysBase::OnHotkey(CWPFDialog* dialog)
{
    if (const auto hotkey = LoadProcAs<HotkeyFunction>("j3up.dll", "J3HotkeyFunc"))
        hotkey(dialog);
}

void CJ3SysBase::OnHotkey(CVKDialog*)
{
}

int CJ3SysBase::HasDaisyHOZ()
{
    if (s_hasDaisyHOZ >= 0)
        return s_hasDaisyHOZ;
    const auto hasDaisyHOZ = LoadProcAs<HasDaisyHOZFunction>("j3fremd", "HasDaisyHOZ");
    s_hasDaisyHOZ = hasDaisyHOZ ? hasDaisyHOZ() : 0;
    return s_hasDaisyHOZ;
}

void CJ3SysBase::OnStartDaisy(const CString& first, const CString& second, bool flag)
{
    if (const auto runDaisy = LoadProcAs<RunDaisyFunction>("j3fremd.dll", "RunDaisy"))
        runDaisy(first, second, flag);
}

void CJ3SysBase::AtExit(void (*function)())
{
    AtVKExit(function);
}

// Database ---------------------------------------------------------------------

void CJ3SysBase::DoDBError(const CString& message)
{
    const CString logFile = GetJ3LogPath() + kDBErrorLogName;
    CString mappingError;
    // The log is opened along the place the links lead to, following none:
    // a link set in its way after this check makes the write fail instead
    // of leading out of the drive's folder.
    std::filesystem::path linkFreeFile;
    if (GetJ3HostPath(logFile, mappingError, &linkFreeFile).empty()) {
        VKTrace(3, 0, "J3SysBase", __LINE__, "%s (%s: %s)", message.GetString(), logFile.GetString(),
                mappingError.GetString());
        return;
    }
    ErrorLog1(linkFreeFile, message);
}

CString CJ3SysBase::DBErrorString()
{
    return ", Workstation: " + dbLfdWorkstation + ", ProgId: " + dbProgId + ", PraxisId: " + dbPraxisId;
}

CString CJ3SysBase::MakeRInfo(const CString& oldInfo)
{
    return DoMakeRInfo(oldInfo);
}

CString CJ3SysBase::DoMakeRInfo(const CString& oldInfo)
{
    CString info = GetStechUhr();
    info += LeftAligned(dbLfdWorkstation, 3);
    info += LeftAligned(dbTaskId, 3);
    info += RightAligned(dbMdId, 3);
    info += RightAligned(dbPId, 3);
    info += LeftAligned(dbProgId, 3);
    info += LeftAligned(dbLfdInstanz, 1);
    if (!oldInfo.IsEmpty())
        PutMidStr(info, 0, oldInfo, 0);
    return info;
}

void CJ3SysBase::DeleteProtokoll(const CVKRSet* recordSet)
{
    if (!dbDeleteProtokoll || !recordSet || recordSet->GetTableName() != kTreatmentTable)
        return;
    if (const auto* treatment = dynamic_cast<const CJBeh*>(recordSet))
        WriteDeleteProtokoll(*treatment);
}

void CJ3SysBase::WriteDeleteProtokoll(const CJBeh& treatment)
{
    CJProtokoll entry(treatment.GetDatabase(), nullptr);
    entry.m_strPatNr = treatment.m_strPatNr;
    entry.m_strArt = "l";
    entry.m_strStatus = " ";
    entry.m_strFunktion = "CVKRSet::DeleteRec";
    CString patientNumber = treatment.m_strPatNr;
    patientNumber.TrimLeft();
    CString text;
    text.Format("Lstg. Pat.Nr. %s vom %s: %s, %s", patientNumber.GetString(), Db2Date(treatment.m_strDatum).GetString(),
                treatment.m_strLeistung.GetString(), treatment.m_strText.GetString());
    entry.m_strText = text.Left(kProtocolTextLength);
    entry.Write("");
    // Entries written in quick succession get distinct time stamps.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

bool CJ3SysBase::TriggerSelectRead(const CVKRSet* recordSet, bool forUpdate)
{
    return CJ3RSetEx::TriggerSelectRead(recordSet, forUpdate);
}
