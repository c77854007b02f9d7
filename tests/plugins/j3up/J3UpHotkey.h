#pragma once

class CWPFDialog;

// The hotkey handler of the suite's dialogs, fetched by name from "j3up.dll".
// It notes each call, so that a program can show that its hotkeys arrive.
extern "C" {
void J3HotkeyFunc(CWPFDialog* dialog);
// How many hotkeys arrived, and the dialog of the last one.
int J3UpHotkeyCalls();
CWPFDialog* J3UpLastHotkeyDialog();
}
