#include "winpath/AnsiCodePage.h"

namespace winpath {

namespace {

template <class Target, class Source, class Convert> Target ConvertEach(Source text, Convert convert)
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
    if (byte >= kAnsiHighControlFirst && byte < kAnsiHighControlFirst + kAnsiHighControlRange.size())
        return static_cast<wchar_t>(kAnsiHighControlRange[byte - kAnsiHighControlFirst]);
    return static_cast<wchar_t>(byte);
}

char WideToAnsiChar(wchar_t c) noexcept
{
    const int byte = AnsiByteOf(static_cast<char32_t>(c));
    return byte < 0 ? '?' : static_cast<char>(byte);
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
