#pragma once
#include "winpath/AnsiCodePage.h"

#include <array>
#include <cstddef>

// The suite's texts are Windows-1252 bytes at run time, but written as UTF-8
// in the source and converted while compiling:
//
//     HaltE("Zusammenführung fehlgeschlagen"_ansi, error, window);
//
// A character the code page lacks (or text that is not UTF-8) stops the
// build, so a text can never lose a character unseen.
namespace winpath {

template <std::size_t N> struct SAnsiLiteralText {
    // The converted bytes, zero-terminated; never longer than the UTF-8.
    std::array<char, N> bytes{};

    consteval SAnsiLiteralText(const char (&utf8)[N])
    {
        std::size_t out = 0;
        for (std::size_t in = 0; in + 1 < N;) {
            const auto lead = static_cast<unsigned char>(utf8[in]);
            const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
            if (length == 0 || in + length >= N)
                throw "Text ist kein UTF-8";
            char32_t code = length == 1 ? lead : lead & (0x7F >> length);
            for (std::size_t i = 1; i < length; ++i) {
                const auto next = static_cast<unsigned char>(utf8[in + i]);
                if ((next & 0xC0) != 0x80)
                    throw "Text ist kein UTF-8";
                code = code << 6 | (next & 0x3F);
            }
            const int byte = AnsiByteOf(code);
            if (byte < 0)
                throw "Zeichen fehlt in Windows-1252";
            bytes[out++] = static_cast<char>(byte);
            in += length;
        }
    }
};

// One array of static storage per text, so that the pointer stays valid.
template <SAnsiLiteralText Text> inline constexpr auto kAnsiLiteral = Text;

} // namespace winpath

template <winpath::SAnsiLiteralText Text> consteval const char* operator""_ansi()
{
    return winpath::kAnsiLiteral<Text>.bytes.data();
}
