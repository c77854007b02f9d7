#pragma once
#include "win32/Accelerators.h"

#include <vector>

// The module's keyboard accelerator tables (German dialogs): 133, 134 and 166.
// They share the dialog commands of the interface library and differ only in
// F12, Ctrl+Shift+D and Shift+F8. Ctrl+C, Ctrl+V and Ctrl+X are left to the
// text fields. Empty for any other number.
std::vector<ACCEL> J3AcceleratorTable(WORD tableId);
// Registers the three tables as resources of module.
void RegisterJ3AcceleratorTables(HMODULE module);
