#pragma once
#include <QColor>
#include <cstdint>

class CString;

// The suite stores colours as 32-bit colour references in the layout
// 0x00BBGGRR: red in the lowest byte, then green, then blue, and a top byte
// that is always 0 for a colour. Any value with a top byte set is no colour,
// so the no-colour value (all 32 bits set) can never be mistaken for one.
class CVKColorRef {
public:
    static constexpr std::uint32_t NoColor = 0xFFFFFFFFu;

    static bool IsColor(std::uint32_t colorRef) { return (colorRef & 0xFF000000u) == 0; }
    // A colour as the suite stores it: decimal digits only, a colour within
    // 32 bits; false for anything else, blanks and signs included.
    static bool FromDecimal(const CString& text, std::uint32_t& colorRef);
    // An invalid QColor for a value that is no colour.
    static QColor ToQColor(std::uint32_t colorRef);
    // NoColor for an invalid QColor; the alpha is dropped.
    static std::uint32_t FromQColor(const QColor& color);
    // The colour reference of 0xRRGGBB, the order in which people write colours.
    static constexpr std::uint32_t FromRgb(std::uint32_t rgb)
    {
        return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    }
};
