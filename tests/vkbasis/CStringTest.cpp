#include "vkbasis/CString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Every Windows-1252 letter with a case partner, upper and lower case at the
// same position: A-Z, Š Œ Ž Ÿ, then À-Ö and Ø-Þ.
const char kUpperLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "\x8A\x8C\x8E\x9F"
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
    "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE";
const char kLowerLetters[] =
    "abcdefghijklmnopqrstuvwxyz"
    "\x9A\x9C\x9E\xFF"
    "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
    "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE";

TEST(CStringTest, EveryLetterOf1252MapsToItsPartnerAndNoOtherByteChanges)
{
    ASSERT_EQ(std::strlen(kUpperLetters), std::strlen(kLowerLetters));
    EXPECT_EQ(CString(kUpperLetters).MakeLower(), kLowerLetters);
    EXPECT_EQ(CString(kLowerLetters).MakeUpper(), kUpperLetters);
    EXPECT_EQ(CString(kUpperLetters).CompareNoCase(kLowerLetters), 0);

    // Every other byte keeps its case: ß, µ, × and ÷ are among them and have no partner.
    const std::string letters = std::string(kUpperLetters) + kLowerLetters;
    CString others;
    for (int byte = 1; byte < 256; ++byte)
        if (letters.find(static_cast<char>(byte)) == std::string::npos)
            others += static_cast<char>(byte);
    const CString original = others;
    EXPECT_EQ(CString(others).MakeUpper(), original);
    EXPECT_EQ(CString(others).MakeLower(), original);
}

TEST(CStringTest, ComparisonsAndSearchesAnswerNumbers)
{
    const CString text("a.b.c");
    const struct { int actual; int expected; } cases[] = {
        {CString("M\xFCller").CompareNoCase("M\xDCLLER"), 0}, {CString("abc").CompareNoCase("ABD"), -1},
        {CString("abc").CompareNoCase("AB"), 1},
        {CString("\xDF").CompareNoCase("SS"), 1},   // ß has no upper case and is no "SS"
        {CString("z").CompareNoCase("\xE4"), -1},   // bytes compare unsigned: ä (0xE4) after z
        {CString("a").Compare(nullptr), 1},         {CString("z") < CString("\xE4"), true},
        {CString("B") < CString("a"), true},        {CString("ab") < "abc", true},
        {text.Find('.', 2), 3},  {text.Find('.', -5), 1},   {text.Find('.', 99), -1}, {text.Find("b.c"), 2},
        {text.Find("", 5), 5},   {text.Find("", 6), -1},    {text.ReverseFind('.'), 3},
        {CString().ReverseFind('.'), -1},                   {text.FindOneOf("cb"), 2},
        // Indices outside the text are harmless.
        {text.GetAt(4), 'c'},    {text.GetAt(5), '\0'},     {text.GetAt(-1), '\0'},   {text[100], '\0'},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
}

TEST(CStringTest, PartsAndTrimmedTextsClampToTheText)
{
    const CString text("abcdef");
    const struct { CString actual; const char* expected; } cases[] = {
        {CString(static_cast<const char*>(nullptr)), ""}, {CString("abc", 2), "ab"}, {CString("abc", -1), ""},
        {CString('x', -2), ""},
        {text.Left(2), "ab"},       {text.Left(-3), ""},    {text.Left(99), "abcdef"}, {text.Right(2), "ef"},
        {text.Right(-1), ""},       {text.Mid(-4), "abcdef"}, {text.Mid(6), ""},       {text.Mid(4, 99), "ef"},
        {text.Mid(-2, 3), "abc"},   {text.Mid(2, -1), ""},
        {CString(" \t a b \r\n").TrimLeft(), "a b \r\n"}, {CString(" \t a b \r\n").TrimRight(), " \t a b"},
        {CString("   ").Trim(), ""},                     {CString("00120").TrimLeft('0'), "120"},
        {CString("00120").TrimRight('0'), "0012"},        {CString("-+x+-").Trim("+-"), "x"},
        {CString(" x ").Trim(""), " x "},                 {'!' + (CString("a") + "b" + 'c') + '!', "!abc!"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
    EXPECT_NE(CString("a\0b", 3), CString("a"));
}

TEST(CStringTest, EditsCountWhatChangedAndClampTheIndex)
{
    const struct { const char *text, *from, *to; int count; const char* result; } replacements[] = {
        {"a-b-c", "-", "+", 2, "a+b+c"}, {"aaaa", "aa", "a", 2, "aa"}, {"abc", "", "x", 0, "abc"},
        {"C:\\P\\Data\\x", "C:\\P\\Data", "data", 1, "data\\x"}, {"ab", "b", "bb", 1, "abb"},
    };
    for (const auto& c : replacements) {
        CString text(c.text);
        EXPECT_EQ(text.Replace(c.from, c.to), c.count) << c.text;
        EXPECT_EQ(text, c.result) << c.text;
    }
    CString chars("a/b/c");
    EXPECT_EQ(chars.Replace('/', '\\'), 2);
    EXPECT_EQ(chars.Remove('\\'), 2);
    EXPECT_EQ(chars, "abc");

    CString text("ace");
    const int lengths[] = {text.Insert(1, 'b'), text.Insert(3, "d"), text.Insert(-3, '<'), text.Insert(99, ">")};
    EXPECT_EQ(text, "<abcde>");
    const int shortened[] = {text.Delete(0), text.Delete(5, 10), text.Delete(-1, 2), text.Delete(99, 1)};
    EXPECT_EQ(text, "cde");
    EXPECT_EQ(std::vector<int>(std::begin(lengths), std::end(lengths)), (std::vector<int>{4, 5, 6, 7}));
    EXPECT_EQ(std::vector<int>(std::begin(shortened), std::end(shortened)), (std::vector<int>{6, 5, 3, 3}));
    text.SetAt(1, 'X');
    text.SetAt(3, 'Y');
    text.SetAt(-1, 'Z');
    EXPECT_EQ(text, "cXe");
}

TEST(CStringTest, FormatAndBufferSetTheText)
{
    CString text("old");
    text.Format("%3d|%s|%05.1f", 7, "x", 2.25);
    text.AppendFormat("-%02d", 3);
    EXPECT_EQ(text, "  7|x|002.2-03");
    const std::string longText(5000, 'q');
    text.Format("<%s>", longText.c_str());
    EXPECT_EQ(text.Mid(1, 5000), longText.c_str());

    text = "abc";
    char* buffer = text.GetBuffer(10);
    EXPECT_EQ(std::strcmp(buffer, "abc"), 0);
    std::strcpy(buffer, "0123456789");
    text.ReleaseBuffer();
    EXPECT_EQ(text, "0123456789");
    std::memcpy(text.GetBuffer(5), "wxyz", 4);
    text.ReleaseBuffer(3);
    EXPECT_EQ(text, "wxy");
    text.GetBuffer(1);
    text.ReleaseBuffer(100);
    EXPECT_EQ(text, "wxy");
}

} // namespace
