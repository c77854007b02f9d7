#pragma once
#include <string>
#include <string_view>

// Conversions between 8-bit text in the ANSI code page and wide text. The
// ANSI code page is always Windows-1252, the code page of the German texts.
// Every byte has a wide character: the five bytes that 1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// value, so that any byte string survives the round trip unchanged. A wide
// character that 1252 cannot show becomes '?', without best-fit guesses.
namespace winpath {

wchar_t AnsiToWideChar(char c) noexcept;
char WideToAnsiChar(wchar_t c) noexcept;

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

} // namespace winpath
