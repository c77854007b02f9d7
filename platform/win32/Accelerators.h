#pragma once
#include "win32/WinTypes.h"

#include <QKeySequence>

#include <vector>

// Keyboard accelerator tables. A module registers its tables as resources
// under its module handle when it is attached; LoadAcceleratorsA finds them
// there, and a dialog turns the entries into Qt key sequences for shortcuts.
struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

constexpr WORD VK_ESCAPE = 0x1B;
constexpr WORD VK_PRIOR = 0x21; // Page Up
constexpr WORD VK_NEXT = 0x22;  // Page Down
constexpr WORD VK_F1 = 0x70;    // VK_F1 + n - 1 is F<n>, up to F24

struct SAcceleratorTable;
using HACCEL = SAcceleratorTable*;

// A resource named by number, as MAKEINTRESOURCEA gives it.
LPCSTR MakeIntResourceA(WORD id);

class CAcceleratorResources {
public:
    // Replaces the table id of module.
    static void Register(HMODULE module, WORD id, std::vector<ACCEL> entries);
};

// The table, or null when module has no table of that number. The handle stays
// valid for the life of the process.
HACCEL LoadAcceleratorsA(HINSTANCE module, LPCSTR tableName);
// With a null destination: the number of entries. Otherwise copies at most
// count entries and returns how many were copied.
int CopyAcceleratorTableA(HACCEL table, ACCEL* destination, int count);
// The key sequence of a virtual-key entry; empty for a character entry or a
// key without a Qt counterpart.
QKeySequence AcceleratorKeySequence(const ACCEL& entry);
