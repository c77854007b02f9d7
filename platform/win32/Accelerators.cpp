#include "win32/Accelerators.h"

#include "win32/Win32Journal.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

struct SAcceleratorTable {
    std::vector<ACCEL> entries;
};

namespace {

std::mutex& TablesMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Tables are never freed, so handed-out handles stay valid.
std::map<std::pair<HMODULE, WORD>, std::unique_ptr<SAcceleratorTable>>& Tables()
{
    static std::map<std::pair<HMODULE, WORD>, std::unique_ptr<SAcceleratorTable>> tables;
    return tables;
}

Qt::Key QtKeyOf(WORD virtualKey)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return static_cast<Qt::Key>(virtualKey); // Qt uses the same codes for digits and letters
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 24)
        return static_cast<Qt::Key>(Qt::Key_F1 + (virtualKey - VK_F1));
    switch (virtualKey) {
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    default:
        return Qt::Key_unknown;
    }
}

} // namespace

LPCSTR MakeIntResourceA(WORD id)
{
    return reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(id));
}

void CAcceleratorResources::Register(HMODULE module, WORD id, std::vector<ACCEL> entries)
{
    std::lock_guard lock(TablesMutex());
    auto& table = Tables()[{module, id}];
    if (!table)
        table = std::make_unique<SAcceleratorTable>();
    table->entries = std::move(entries);
}

HACCEL LoadAcceleratorsA(HINSTANCE module, LPCSTR tableName)
{
    const auto id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(tableName));
    CWin32Journal::Record("LoadAccelerators " + std::to_string(id));
    // Only numbered tables exist; a name text is a pointer beyond the number range.
    if (reinterpret_cast<ULONG_PTR>(tableName) > 0xFFFF)
        return nullptr;
    std::lock_guard lock(TablesMutex());
    const auto found = Tables().find({module, id});
    return found == Tables().end() ? nullptr : found->second.get();
}

int CopyAcceleratorTableA(HACCEL table, ACCEL* destination, int count)
{
    if (!table)
        return 0;
    const int size = static_cast<int>(table->entries.size());
    if (!destination)
        return size;
    const int copied = std::clamp(count, 0, size);
    std::copy_n(table->entries.begin(), copied, destination);
    return copied;
}

QKeySequence AcceleratorKeySequence(const ACCEL& entry)
{
    if (!(entry.fVirt & FVIRTKEY))
        return {};
    const Qt::Key key = QtKeyOf(entry.key);
    if (key == Qt::Key_unknown)
        return {};
    Qt::KeyboardModifiers modifiers;
    if (entry.fVirt & FCONTROL)
        modifiers |= Qt::ControlModifier;
    if (entry.fVirt & FSHIFT)
        modifiers |= Qt::ShiftModifier;
    if (entry.fVirt & FALT)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, key));
}
