#include "vkwpfcpp/VKColorRef.h"

#include "vkbasis/CString.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

bool CVKColorRef::FromDecimal(const CString& text, std::uint32_t& colorRef)
{
    if (text.IsEmpty() || text[0] < '0' || text[0] > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (*end != '\0' || errno == ERANGE || value > std::numeric_limits<std::uint32_t>::max() ||
        !IsColor(static_cast<std::uint32_t>(value)))
        return false;
    colorRef = static_cast<std::uint32_t>(value);
    return true;
}

QColor CVKColorRef::ToQColor(std::uint32_t colorRef)
{
    if (!IsColor(colorRef))
        return QColor();
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

std::uint32_t CVKColorRef::FromQColor(const QColor& color)
{
    if (!color.isValid())
        return NoColor;
    const QRgb rgb = color.rgb();
    return static_cast<std::uint32_t>(qRed(rgb)) | static_cast<std::uint32_t>(qGreen(rgb)) << 8 |
           static_cast<std::uint32_t>(qBlue(rgb)) << 16;
}
