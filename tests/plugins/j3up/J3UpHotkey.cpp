#include "j3up/J3UpHotkey.h"

namespace {
int s_hotkeyCalls = 0;
CWPFDialog* s_lastDialog = nullptr;
} // namespace

void J3HotkeyFunc(CWPFDialog* dialog)
{
    ++s_hotkeyCalls;
    s_lastDialog = dialog;
}

int J3UpHotkeyCalls()
{
    return s_hotkeyCalls;
}

CWPFDialog* J3UpLastHotkeyDialog()
{
    return s_lastDialog;
}
