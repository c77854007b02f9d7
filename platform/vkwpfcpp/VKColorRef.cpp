#include "vkwpfcpp/VKColorRef.h"

QColor CVKColorRef::ToQColor(std::uint32_t colorRef)
{
    if (!IsColor(colorRef))
        return QColor();
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

std::uint32_t CVKColorRef::FromQColor(const QColor& color)
{
    if (!color.isValid())
        return NoColor;
    const QRgb rgb = color.rgb();
    return static_cast<std::uint32_t>(qRed(rgb)) | static_cast<std::uint32_t>(qGreen(rgb)) << 8 |
           static_cast<std::uint32_t>(qBlue(rgb)) << 16;
}
