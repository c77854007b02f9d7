#include "winpath/AnsiCodePage.h"

#include <array>

namespace winpath {

namespace {

// Bytes 0x80 to 0x9F; every other byte has the wide character of its value.
constexpr std::array<wchar_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};
constexpr unsigned kHighControlFirst = 0x80;

template <class Target, class Source, class Convert>
Target ConvertEach(Source text, Convert convert)
{
    Target converted;
    converted.reserve(text.size());
    for (const auto c : text)
        converted.push_back(convert(c));
    return converted;
}

} // namespace

wchar_t AnsiToWideChar(char c) noexcept
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= kHighControlFirst && byte < kHighControlFirst + kHighControlRange.size())
        return kHighControlRange[byte - kHighControlFirst];
    return static_cast<wchar_t>(byte);
}

char WideToAnsiChar(wchar_t c) noexcept
{
    const auto code = static_cast<unsigned long>(c);
    const bool inHighControlRange = code >= kHighControlFirst && code < kHighControlFirst + kHighControlRange.size();
    if (code <= 0xFF && !inHighControlRange)
        return static_cast<char>(code);
    // The undefined bytes map to themselves, so they are found here too.
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == c)
            return static_cast<char>(kHighControlFirst + i);
    }
    return '?';
}

std::wstring AnsiToWide(std::string_view text)
{
    return ConvertEach<std::wstring>(text, AnsiToWideChar);
}

std::string WideToAnsi(std::wstring_view text)
{
    return ConvertEach<std::string>(text, WideToAnsiChar);
}

} // namespace winpath
