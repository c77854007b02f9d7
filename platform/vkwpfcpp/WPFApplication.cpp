#include "vkwpfcpp/WPFApplication.h"

#include <map>

namespace {

// Program-wide settings: plain values of the interface thread.
struct SSettings {
    int theme = 1;
    std::map<int, QColor> colors;
    std::map<int, CString> markerToolTips;
    std::filesystem::path errorLogFile;
};

SSettings& Settings()
{
    static SSettings settings;
    return settings;
}

}  // namespace

int CWPFApplication::GetWPFTheme()
{
    return Settings().theme;
}

void CWPFApplication::SetWPFTheme(int theme)
{
    Settings().theme = theme;
}

void CWPFApplication::InitVKColor(int slot, std::uint32_t argb)
{
    if ((argb & 0xFF000000u) == 0)
        argb |= 0xFF000000u;
    Settings().colors[slot] = QColor::fromRgba(argb);
}

QColor CWPFApplication::GetVKColor(int slot)
{
    const auto found = Settings().colors.find(slot);
    return found == Settings().colors.end() ? QColor() : found->second;
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
