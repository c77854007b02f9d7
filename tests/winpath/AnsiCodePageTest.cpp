#include "winpath/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

TEST(AnsiCodePageTest, EveryByteSurvivesTheRoundTrip)
{
    const std::string bytes = AllBytes();
    const std::wstring wide = winpath::AnsiToWide(bytes);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(winpath::WideToAnsi(wide), bytes);
    EXPECT_EQ(std::set<wchar_t>(wide.begin(), wide.end()).size(), 256u) << "two bytes share a character";
    for (const char c : bytes) {
        EXPECT_EQ(winpath::AnsiToWideChar(c), wide[static_cast<unsigned char>(c)]);
        EXPECT_EQ(winpath::WideToAnsiChar(winpath::AnsiToWideChar(c)), c);
    }
}

struct ByteMapping {
    unsigned char byte;
    wchar_t wide;
};

class AnsiByteMappingTest : public testing::TestWithParam<ByteMapping> {};

TEST_P(AnsiByteMappingTest, MapsBothWays)
{
    const char c = static_cast<char>(GetParam().byte);
    EXPECT_EQ(winpath::AnsiToWideChar(c), GetParam().wide);
    EXPECT_EQ(winpath::WideToAnsiChar(GetParam().wide), c);
}

INSTANTIATE_TEST_SUITE_P(Windows1252, AnsiByteMappingTest,
                         testing::Values(ByteMapping{0x7F, 0x007F}, ByteMapping{0x80, 0x20AC},
                                         ByteMapping{0x81, 0x0081}, ByteMapping{0x9D, 0x009D},
                                         ByteMapping{0x9F, 0x0178}, ByteMapping{0xA0, 0x00A0},
                                         ByteMapping{0xFF, 0x00FF}));

class AnsiUnmappableTest : public testing::TestWithParam<wchar_t> {};

TEST_P(AnsiUnmappableTest, BecomesQuestionMark)
{
    EXPECT_EQ(winpath::WideToAnsiChar(GetParam()), '?');
    EXPECT_EQ(winpath::WideToAnsi(std::wstring(L"a") + GetParam() + L"b"), "a?b");
}

// U+0080 and U+009F are not in 1252: their bytes show other characters.
INSTANTIATE_TEST_SUITE_P(Windows1252, AnsiUnmappableTest,
                         testing::Values(0x0080, 0x009F, 0x0100, 0x20AD, 0x1F600, static_cast<wchar_t>(-1)));

TEST(AnsiCodePageTest, GermanTextConverts)
{
    EXPECT_EQ(winpath::AnsiToWide("Gr\xFC\xDF"
                                  "e \x84"
                                  "a\x93"),
              L"Gr\u00FC\u00DFe \u201Ea\u201C");
    EXPECT_EQ(winpath::WideToAnsi(L"\u00C4rzte \u20AC"), "\xC4rzte \x80");
}

} // namespace
