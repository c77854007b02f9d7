#include "winpath/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(AnsiCodePageTest, EveryByteSurvivesTheRoundTrip)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    const std::wstring wide = winpath::AnsiToWide(bytes);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(winpath::WideToAnsi(wide), bytes);
    EXPECT_EQ(std::set<wchar_t>(wide.begin(), wide.end()).size(), 256u) << "two bytes share a character";
    for (const char c : bytes)
        EXPECT_EQ(winpath::WideToAnsiChar(winpath::AnsiToWideChar(c)), c);
}

TEST(AnsiCodePageTest, BytesMapToTheirWindows1252Characters)
{
    const struct { unsigned char byte; wchar_t wide; } mappings[] = {
        {0x7F, 0x007F}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x84, 0x201E}, {0x9D, 0x009D},
                    {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xDF, 0x00DF}, {0xFF, 0x00FF}};
    for (const auto& m : mappings) {
        EXPECT_EQ(winpath::AnsiToWideChar(static_cast<char>(m.byte)), m.wide) << int(m.byte);
        EXPECT_EQ(winpath::WideToAnsiChar(m.wide), static_cast<char>(m.byte)) << int(m.byte);
    }
    // U+0080 and U+009F are not in 1252: their bytes show other characters.
    for (const wchar_t unmappable : {wchar_t(0x0080), wchar_t(0x009F), wchar_t(0x0100), wchar_t(0x20AD),
                                     wchar_t(0x1F600), static_cast<wchar_t>(-1)})
        EXPECT_EQ(winpath::WideToAnsi(std::wstring(L"a") + unmappable + L"b"), "a?b") << int(unmappable);
}

} // namespace
