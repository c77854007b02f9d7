#pragma once
#include <string>

#include "winpath/Path.h"

// The naming rules of a Windows disk. The database file store and the file
// dialog refuse what Windows would refuse, so that every stored file can be
// shown in the dialog and exported to a disk unchanged.
class CWindowsNameRules {
public:
    // True when `name` may be used as one file or directory name: not empty,
    // none of < > : " | ? * / \, no trailing blank or dot, no device name
    // (CON, PRN, AUX, NUL, COM1-9, LPT1-9, alone or with any extension).
    // There is no length limit; control characters and leading blanks or
    // dots pass.
    static bool IsValidWindowsComponent(const std::wstring& name);

    // True when some part of `p` is not allowed: a root name other than a
    // drive ("X:"), or a name element that fails IsValidWindowsComponent.
    // The root directory and the empty element after a trailing separator
    // are not names and are skipped.
    static bool HasInvalidPathComponent(const winpath::path& p);

private:
    static bool IsReservedDeviceName(const std::wstring& name);
};
