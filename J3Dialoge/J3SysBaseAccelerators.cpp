#include "J3Dialoge/J3SysBaseAccelerators.h"

namespace {

constexpr BYTE kPlain = FVIRTKEY | FNOINVERT;
constexpr BYTE kCtrl = kPlain | FCONTROL;
constexpr BYTE kShift = kPlain | FSHIFT;
constexpr BYTE kCtrlShift = kCtrl | FSHIFT;

WORD FunctionKey(int number)
{
    return static_cast<WORD>(VK_F1 + number - 1);
}

std::vector<ACCEL> CommonEntries()
{
    std::vector<ACCEL> entries;
    for (int digit = 0; digit <= 9; ++digit)
        entries.push_back({kCtrl, static_cast<WORD>('0' + digit), static_cast<WORD>(10081 + 2 * digit)});
    // Every letter but C, V and X (the clipboard), H and Z (own commands below).
    const char letters[] = "ABDEFGIJKLMNOPQRSTUWY";
    WORD command = 10101;
    for (const char* letter = letters; *letter; ++letter, command += 2)
        entries.push_back({kCtrl, static_cast<WORD>(*letter), command});
    const ACCEL fixed[] = {
        {kCtrl, 'H', 10033},
        {kCtrl, 'Z', 10023},
        {kPlain, VK_ESCAPE, 10001},
        {kPlain, FunctionKey(1), 10025},
        {kPlain, FunctionKey(2), 10007},
        {kPlain, FunctionKey(3), 10009},
        {kPlain, FunctionKey(4), 10013},
        {kPlain, FunctionKey(5), 10015},
        {kPlain, FunctionKey(6), 10037},
        {kPlain, FunctionKey(7), 10047},
        {kPlain, FunctionKey(8), 10011},
        {kPlain, FunctionKey(9), 10039},
        {kPlain, FunctionKey(10), 10051},
        {kPlain, FunctionKey(11), 10017},
        {kShift, FunctionKey(11), 10035},
        {kCtrl, FunctionKey(12), 10043},
        {kCtrl, VK_NEXT, 10029},
        {kCtrl, VK_PRIOR, 10031},
    };
    entries.insert(entries.end(), std::begin(fixed), std::end(fixed));
    return entries;
}

} // namespace

std::vector<ACCEL> J3AcceleratorTable(WORD tableId)
{
    if (tableId != 133 && tableId != 134 && tableId != 166)
        return {};
    std::vector<ACCEL> entries = CommonEntries();
    entries.push_back({kPlain, FunctionKey(12), static_cast<WORD>(tableId == 133 ? 10003 : 10005)});
    entries.push_back({kCtrlShift, 'D', static_cast<WORD>(tableId == 134 ? 10105 : 10155)});
    if (tableId == 166)
        entries.push_back({kShift, FunctionKey(8), 10003});
    return entries;
}

void RegisterJ3AcceleratorTables(HMODULE module)
{
    for (const WORD tableId : {WORD(133), WORD(134), WORD(166)})
        CAcceleratorResources::Register(module, tableId, J3AcceleratorTable(tableId));
}
