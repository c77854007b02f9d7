#include "J3Dialoge/WPFJ3Dialog.h"

#include "J3Dialoge/BorrowedRSet.h"
#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "vkbasis/StringUtils.h"
#include "vkdb/VKTransaction.h"
#include "vkgui/WndLayout.h"
#include "vkwpfcpp/WPFApplication.h"
#include "vkwpfcpp/WPFVKIndexMarker.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

// The number field of the dialog records: 269 formatted "%3d".
constexpr const char* DialogRecordNumber = "269";
constexpr const char* PlacementFormat = "%d|%d|%d|%d|%d|%d|%d|%d|%d|%d";
constexpr int PlacementNumbers = 10;

// Whether placement is kept on this workstation: -1 until first asked.
int s_nPlacementSaved = -1;

bool IsRectEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// Reads the ten numbers of a placement value as "%d|%d|..." would, but a
// number out of the 32-bit range counts as unreadable rather than as
// undefined.
bool ReadPlacementNumbers(const CString& value, std::int32_t (&numbers)[PlacementNumbers])
{
    const char* position = value.GetString();
    for (int i = 0; i < PlacementNumbers; ++i) {
        if (i > 0 && *position++ != '|')
            return false;
        char* end = nullptr;
        errno = 0;
        const long number = std::strtol(position, &end, 10);
        if (end == position || errno == ERANGE || number < std::numeric_limits<std::int32_t>::min() ||
            number > std::numeric_limits<std::int32_t>::max())
            return false;
        numbers[i] = static_cast<std::int32_t>(number);
        position = end;
    }
    return true;
}

bool ParsePlacement(const CString& value, WINDOWPLACEMENT& placement)
{
    std::int32_t n[PlacementNumbers] = {};
    if (!ReadPlacementNumbers(value, n))
        return false;
    placement.flags = static_cast<std::uint32_t>(n[0]);
    placement.showCmd = static_cast<std::uint32_t>(n[1]);
    placement.ptMinPosition = {n[2], n[3]};
    placement.ptMaxPosition = {n[4], n[5]};
    placement.rcNormalPosition = {n[6], n[7], n[8], n[9]};
    return true;
}

CString FormatPlacement(const WINDOWPLACEMENT& placement)
{
    const RECT& rect = placement.rcNormalPosition;
    CString value;
    value.Format(PlacementFormat, static_cast<int>(placement.flags), static_cast<int>(placement.showCmd),
                 placement.ptMinPosition.x, placement.ptMinPosition.y, placement.ptMaxPosition.x,
                 placement.ptMaxPosition.y, rect.left, rect.top, rect.right, rect.bottom);
    return value;
}

void SetPlacementKey(CJParPool& pool, const CString& dialogNumber)
{
    pool.m_strNr = DialogRecordNumber;
    pool.m_strKey = "dps" + dialogNumber + dbLfdWorkstation;
}

} // namespace

CWPFJ3Dialog::CWPFJ3Dialog(const CString& markupKey, const CString& resourceAssembly, QWidget* parent)
    : CWPFDialog(markupKey, resourceAssembly, parent), m_eInfo(this)
{
}

// The index-marker strip is released when the dialog closes, not here.
CWPFJ3Dialog::~CWPFJ3Dialog() = default;

CString CWPFJ3Dialog::GetDialogIdentity() const
{
    return GetResourceAssembly() + "/" + GetMarkupKey();
}

void CWPFJ3Dialog::AfterInitDialog()
{
    m_bInitDone = true;
    CWPFDialog::AfterInitDialog();
    if (m_bNoPlacement)
        return;
    RestorePlacement(*BorrowRSet<CJParPool>(1));
}

void CWPFJ3Dialog::OnContentRendered()
{
    CWPFDialog::OnContentRendered();
    if (CWPFApplication::GetWPFTheme() == 1 && !m_bEInfoDone)
        m_eInfo.ReadEInfo(m_strDataPatNr);
}

void CWPFJ3Dialog::OnClosing(bool& cancel)
{
    CWPFDialog::OnClosing(cancel);
    if (!m_bNoPlacement && m_bInitDone)
        SavePlacement(*BorrowRSet<CJParPool>(0));
    if (CWPFApplication::GetWPFTheme() != 1)
        return;
    SaveDataPat();
    if (m_pIndexMarker) {
        m_pIndexMarker->Close();
        delete m_pIndexMarker;
        m_pIndexMarker = nullptr;
    }
    // SaveDataPat unbound the patient: this writes the dialog's own notes.
    if (!m_bEInfoDone)
        m_eInfo.WriteEInfo(m_strDataPatNr);
}

bool CWPFJ3Dialog::IsPlacementSaved(CJParPool& pool)
{
    if (s_nPlacementSaved < 0) {
        pool.m_strNr = DialogRecordNumber;
        pool.m_strKey.Format("savewps%03d", std::atoi(dbLfdWorkstation));
        s_nPlacementSaved = pool.GetByK1(0) == CVKRSet::FOUND && pool.m_strValue != "0" ? 1 : 0;
    }
    return s_nPlacementSaved > 0;
}

void CWPFJ3Dialog::RestorePlacement(CJParPool& pool)
{
    CString number;
    if (!IsPlacementSaved(pool) || LookUpDialogNumber(pool, number) != CVKRSet::FOUND)
        return;
    SetPlacementKey(pool, number);
    if (pool.GetByK1(0) != CVKRSet::FOUND)
        return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(WINDOWPLACEMENT);
    if (!ParsePlacement(pool.m_strValue, placement) || IsRectEmpty(placement.rcNormalPosition))
        return;
    SetWindowStartupLocation(VKStartupManual);
    SetSizeToContent(VKSizeManual);
    CWndLayout::ClipOrCenterRectToMonitor(&placement.rcNormalPosition, 0);
    SetWindowPlacement(&placement);
}

void CWPFJ3Dialog::SavePlacement(CJParPool& pool)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(WINDOWPLACEMENT);
    if (!IsPlacementSaved(pool) || !GetWindowPlacement(&placement))
        return;
    CVKTransaction transaction(*pool.GetDatabase());
    CString number;
    if (!transaction.IsActive() || !AllocateDialogNumber(pool, number))
        return;
    SetPlacementKey(pool, number);
    const int lookup = pool.GetByK1(0);
    pool.m_strValue = FormatPlacement(placement);
    if (lookup == CVKRSet::FOUND)
        pool.Rewrite("");
    else
        pool.Write("");
    transaction.Commit();
}

int CWPFJ3Dialog::LookUpDialogNumber(CJParPool& pool, CString& number) const
{
    pool.m_strNr = DialogRecordNumber;
    pool.m_strValue = GetDialogIdentity();
    const int lookup = pool.GetByValue();
    if (lookup == CVKRSet::FOUND)
        number = GetMidStr(pool.m_strKey, 3, -1);
    return lookup;
}

bool CWPFJ3Dialog::AllocateDialogNumber(CJParPool& pool, CString& number) const
{
    // Looked up again under the write lock: another workstation may have
    // numbered this dialog class in the meantime.
    const int existing = LookUpDialogNumber(pool, number);
    if (existing != CVKRSet::NOT_FOUND)
        return existing == CVKRSet::FOUND;
    number = "   0";
    pool.m_strNr = DialogRecordNumber;
    pool.m_strKey = "did";
    const int highest = pool.GetByTeilKuerzel(true);
    if (highest == CVKRSet::DB_ERROR)
        return false;
    if (highest == CVKRSet::FOUND)
        number.Format("%4d", std::atoi(GetMidStr(pool.m_strKey, 3, -1)) + 1);
    pool.m_strNr = DialogRecordNumber;
    pool.m_strKey = "did" + number;
    pool.m_strValue = GetDialogIdentity();
    return pool.Write("");
}
