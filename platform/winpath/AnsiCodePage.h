#pragma once
#include <array>
#include <string>
#include <string_view>

// Conversions between 8-bit text in the ANSI code page and wide text. The
// ANSI code page is always Windows-1252, the code page of the German texts.
// Every byte has a wide character: the five bytes that 1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// value, so that any byte string survives the round trip unchanged. A wide
// character that 1252 cannot show becomes '?', without best-fit guesses.
namespace winpath {

// The characters of bytes 0x80 to 0x9F; every other byte has the character
// of its value.
inline constexpr std::array<char32_t, 32> kAnsiHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};
inline constexpr char32_t kAnsiHighControlFirst = 0x80;

// The byte of a character, or -1 when the code page lacks it.
constexpr int AnsiByteOf(char32_t c) noexcept
{
    const bool inHighControlRange =
        c >= kAnsiHighControlFirst && c < kAnsiHighControlFirst + kAnsiHighControlRange.size();
    if (c <= 0xFF && !inHighControlRange)
        return static_cast<int>(c);
    // The undefined bytes map to themselves, so they are found here too.
    for (std::size_t i = 0; i < kAnsiHighControlRange.size(); ++i) {
        if (kAnsiHighControlRange[i] == c)
            return static_cast<int>(kAnsiHighControlFirst + i);
    }
    return -1;
}

wchar_t AnsiToWideChar(char c) noexcept;
char WideToAnsiChar(wchar_t c) noexcept;

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

} // namespace winpath
