#pragma once
#include "win32/WinTypes.h"

// Common-control registration. Qt's widgets need none; the call is checked
// and noted in the journal ("InitCommonControlsEx 0xff").
struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x01;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x02;
constexpr DWORD ICC_BAR_CLASSES = 0x04;
constexpr DWORD ICC_TAB_CLASSES = 0x08;
constexpr DWORD ICC_UPDOWN_CLASS = 0x10;
constexpr DWORD ICC_PROGRESS_CLASS = 0x20;
constexpr DWORD ICC_HOTKEY_CLASS = 0x40;
constexpr DWORD ICC_ANIMATE_CLASS = 0x80;

// Fails (0) for a null record or a record whose size is not its own.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
