#pragma once
#include "vkbasis/CString.h"

#include <QColor>
#include <cstdint>
#include <filesystem>

// Settings of the toolkit that hold for the whole program.
class CWPFApplication {
public:
    // The theme of the dialogs. Theme 1, the default, is the suite's current
    // look, under which the patient and eInfo features run; programs and
    // tests may choose another.
    static int GetWPFTheme();
    static void SetWPFTheme(int theme);

    // Registers a colour for a colour slot (VKColor value, e.g. 241 to 265 for
    // the index markers). The value is 0xAARRGGBB as the colour picker gives
    // it; an alpha of 0 counts as opaque, since stored colours often leave it
    // out.
    static void InitVKColor(int slot, std::uint32_t argb);
    // The slot's colour; invalid when none was registered.
    static QColor GetVKColor(int slot);

    // Registers the tool tip of index marker `marker` (0 to 24).
    static void InitMarkerToolTip(int marker, const CString& toolTip);
    static CString GetMarkerToolTip(int marker);

    // The host file that the exception guard logs to; by default
    // "vkwpfcpp.log" in the system's temporary folder.
    static void SetErrorLogFile(const std::filesystem::path& file);
    static std::filesystem::path GetErrorLogFile();
};
