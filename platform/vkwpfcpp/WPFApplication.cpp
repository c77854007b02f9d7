#include "vkwpfcpp/WPFApplication.h"

#include "j3params/J3Params.h"
#include "vkwpfcpp/VKColorRef.h"

#include <array>
#include <cstdlib>
#include <map>
#include <optional>

namespace {

// Program-wide settings: plain values of the interface thread.
struct SSettings {
    std::optional<int> theme;
    std::map<int, QColor> colors;
    std::map<int, CString> markerToolTips;
    std::filesystem::path errorLogFile;
};

// The marker slots' own colours, written 0xRRGGBB: strong hues first, then
// light and dark ones, so that neighbouring markers differ in hue or in
// brightness.
constexpr std::array<std::uint32_t, CWPFApplication::MarkerSlots> kMarkerColors{
    0xE6194B, 0x3CB44B, 0xFFE119, 0x4363D8, 0xF58231, 0x911EB4, 0x42D4F4, 0xF032E6, 0xBFEF45,
    0xFABED4, 0x469990, 0xDCBEFF, 0x9A6324, 0xFFFAC8, 0x800000, 0xAAFFC3, 0x808000, 0xFFD8B1,
    0x000075, 0xA9A9A9, 0x000000, 0x006400, 0xFF1493, 0xD2691E, 0x4682B4};

SSettings& Settings()
{
    static SSettings settings;
    return settings;
}

} // namespace

int CWPFApplication::GetWPFTheme()
{
    std::optional<int>& theme = Settings().theme;
    if (!theme) {
        theme = 1;
        CString value;
        if (GetJ3MachineParameter("WPFTheme", value)) {
            char* end = nullptr;
            const long configured = std::strtol(value, &end, 10);
            if (end != value.GetString() && *end == '\0')
                theme = static_cast<int>(configured);
        }
    }
    return *theme;
}

void CWPFApplication::SetWPFTheme(int theme)
{
    Settings().theme = theme;
}

void CWPFApplication::InitVKColor(int slot, std::uint32_t colorRef)
{
    if (CVKColorRef::IsColor(colorRef))
        Settings().colors[slot] = CVKColorRef::ToQColor(colorRef);
}

QColor CWPFApplication::GetVKColor(int slot)
{
    const auto found = Settings().colors.find(slot);
    return found == Settings().colors.end() ? CVKColorRef::ToQColor(GetToolkitColor(slot)) : found->second;
}

std::uint32_t CWPFApplication::GetToolkitColor(int slot)
{
    const int marker = slot - FirstMarkerSlot;
    if (marker < 0 || marker >= MarkerSlots)
        return CVKColorRef::NoColor;
    return CVKColorRef::FromRgb(kMarkerColors[static_cast<std::size_t>(marker)]);
}

void CWPFApplication::InitMarkerToolTip(int marker, const CString& toolTip)
{
    Settings().markerToolTips[marker] = toolTip;
}

CString CWPFApplication::GetMarkerToolTip(int marker)
{
    const auto found = Settings().markerToolTips.find(marker);
    return found == Settings().markerToolTips.end() ? CString() : found->second;
}

void CWPFApplication::SetErrorLogFile(const std::filesystem::path& file)
{
    Settings().errorLogFile = file;
}

std::filesystem::path CWPFApplication::GetErrorLogFile()
{
    if (Settings().errorLogFile.empty()) {
        std::error_code error;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
        return (error ? std::filesystem::path(".") : temp) / "vkwpfcpp.log";
    }
    return Settings().errorLogFile;
}
