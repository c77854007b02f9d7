#pragma once
#include "vkbasis/CString.h"

#include <QColor>
#include <cstdint>
#include <filesystem>

// Settings of the toolkit that hold for the whole program.
class CWPFApplication {
public:
    // The theme of the dialogs. Theme 1, the default, is the suite's current
    // look, under which the patient and eInfo features run. It comes from the
    // machine parameter "WPFTheme" (read once; not a number counts as 1);
    // programs and tests may set another.
    static int GetWPFTheme();
    static void SetWPFTheme(int theme);

    // The colour slots (VKColor values) of the index markers 0 to 24.
    static constexpr int FirstMarkerSlot = 241;
    static constexpr int MarkerSlots = 25;

    // Registers a colour for a colour slot. The value is a colour reference
    // 0x00BBGGRR (CVKColorRef) as the colour picker gives it; a value that is
    // no colour (top byte set) leaves the slot as it was.
    static void InitVKColor(int slot, std::uint32_t colorRef);
    // The registered colour, else the toolkit's own colour of a marker slot,
    // else an invalid colour.
    static QColor GetVKColor(int slot);
    // The toolkit's own colour of a slot (CVKColorRef::NoColor outside the
    // marker slots): 25 colours that are told apart at a glance.
    static std::uint32_t GetToolkitColor(int slot);

    // Registers the tool tip of index marker `marker` (0 to 24).
    static void InitMarkerToolTip(int marker, const CString& toolTip);
    static CString GetMarkerToolTip(int marker);

    // The host file that the exception guard logs to; by default
    // "vkwpfcpp.log" in the system's temporary folder.
    static void SetErrorLogFile(const std::filesystem::path& file);
    static std::filesystem::path GetErrorLogFile();
};
