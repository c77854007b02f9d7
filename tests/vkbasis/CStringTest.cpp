#include "vkbasis/CString.h"

#include <gtest/gtest.h>

#include <cstring>

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

TEST(CStringCase, EveryLetterOf1252MapsToItsPartnerAndNoOtherByteChanges)
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

TEST(CStringCase, CompareNoCaseOrdersByFoldedBytes)
{
    struct Case { const char* left; const char* right; int expected; };
    const Case cases[] = {
        {"M\xFC" "ller", "M\xDC" "LLER", 0},
        {"abc", "ABD", -1},
        {"abc", "AB", 1},
        {"\xDF", "SS", 1},      // ß has no upper case and is no "SS"
        {"z", "\xE4", -1},      // bytes compare unsigned: ä (0xE4) after z
        {"\xC4", "\xE4", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.left).CompareNoCase(c.right), c.expected) << c.left << " vs " << c.right;
}

TEST(CStringConstruction, KeepsTheGivenBytesAndIgnoresIndicesOutside)
{
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(CString("abc", 2), "ab");
    EXPECT_EQ(CString("abc", -1), "");
    EXPECT_EQ(CString('x', -2), "");
    const CString withNul("a\0b", 3);
    EXPECT_NE(withNul, CString("a"));

    // Indices outside the text are harmless.
    CString text("abc");
    EXPECT_EQ(text[2], 'c');
    EXPECT_EQ(text.GetAt(3), '\0');
    EXPECT_EQ(text.GetAt(-1), '\0');
    EXPECT_EQ(text[100], '\0');
    text.SetAt(1, 'X');
    text.SetAt(3, 'Y');
    text.SetAt(-1, 'Z');
    EXPECT_EQ(text, "aXc");
}

TEST(CStringExtract, LeftMidRightClampToTheText)
{
    const CString text("abcdef");
    struct Case { CString actual; const char* expected; };
    const Case cases[] = {
        {text.Left(2), "ab"}, {text.Left(-3), ""},  {text.Left(99), "abcdef"}, {text.Right(2), "ef"},
        {text.Right(-1), ""}, {text.Mid(-4), "abcdef"}, {text.Mid(6), ""},   {text.Mid(4, 99), "ef"},
        {text.Mid(-2, 3), "abc"}, {text.Mid(2, -1), ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
}

TEST(CStringSearch, FindsFromTheStartIndex)
{
    const CString text("a.b.c");
    struct Case { int actual; int expected; };
    const Case cases[] = {
        {text.Find('.', 2), 3},  {text.Find('.', -5), 1},   {text.Find('.', 99), -1},
        {text.Find("b.c"), 2},   {text.Find("", 5), 5},     {text.Find("", 6), -1},
        {text.ReverseFind('.'), 3}, {CString().ReverseFind('.'), -1}, {text.FindOneOf("cb"), 2},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
}

TEST(CStringEdit, ReplaceAndRemoveCountWhatChanged)
{
    struct Case { const char* text; const char* from; const char* to; int count; const char* result; };
    const Case cases[] = {
        {"a-b-c", "-", "+", 2, "a+b+c"},
        {"aaaa", "aa", "a", 2, "aa"},
        {"abc", "", "x", 0, "abc"},
        {"C:\\P\\Data\\x", "C:\\P\\Data", "data", 1, "data\\x"},
        {"ab", "b", "bb", 1, "abb"},
    };
    for (const Case& c : cases) {
        CString text(c.text);
        EXPECT_EQ(text.Replace(c.from, c.to), c.count) << c.text;
        EXPECT_EQ(text, c.result) << c.text;
    }

    CString chars("a/b/c");
    EXPECT_EQ(chars.Replace('/', '\\'), 2);
    EXPECT_EQ(chars, "a\\b\\c");
    EXPECT_EQ(chars.Remove('\\'), 2);
    EXPECT_EQ(chars, "abc");
}

TEST(CStringEdit, InsertAndDeleteClampTheIndex)
{
    CString text("ace");
    EXPECT_EQ(text.Insert(1, 'b'), 4);
    EXPECT_EQ(text.Insert(3, "d"), 5);
    EXPECT_EQ(text.Insert(-3, '<'), 6);
    EXPECT_EQ(text.Insert(99, ">"), 7);
    EXPECT_EQ(text, "<abcde>");

    EXPECT_EQ(text.Delete(0), 6);
    EXPECT_EQ(text.Delete(5, 10), 5);
    EXPECT_EQ(text, "abcde");
    EXPECT_EQ(text.Delete(-1, 2), 3);
    EXPECT_EQ(text.Delete(99, 1), 3);
    EXPECT_EQ(text, "cde");
}

TEST(CStringEdit, TrimTakesWhiteSpaceOrTheGivenCharacters)
{
    struct Case { CString actual; const char* expected; };
    const Case cases[] = {
        {CString(" \t a b \r\n").TrimLeft(), "a b \r\n"}, {CString(" \t a b \r\n").TrimRight(), " \t a b"},
        {CString("   ").Trim(), ""},                     {CString("00120").TrimLeft('0'), "120"},
        {CString("00120").TrimRight('0'), "0012"},        {CString("-+x+-").Trim("+-"), "x"},
        {CString(" x ").Trim(""), " x "},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
}

TEST(CStringFormat, FormatsAndAppends)
{
    CString text("old");
    text.Format("%3d|%s|%05.1f", 7, "x", 2.25);
    EXPECT_EQ(text, "  7|x|002.2");
    text.AppendFormat("-%02d", 3);
    EXPECT_EQ(text, "  7|x|002.2-03");
    const std::string longText(5000, 'q');
    text.Format("<%s>", longText.c_str());
    EXPECT_EQ(text.Mid(1, 5000), longText.c_str());
}

TEST(CStringBuffer, ReleaseBufferSetsTheLength)
{
    CString text("abc");
    char* buffer = text.GetBuffer(10);
    EXPECT_EQ(std::strcmp(buffer, "abc"), 0);
    std::strcpy(buffer, "0123456789");
    text.ReleaseBuffer();
    EXPECT_EQ(text, "0123456789");

    buffer = text.GetBuffer(5);
    std::memcpy(buffer, "wxyz", 4);
    text.ReleaseBuffer(3);
    EXPECT_EQ(text, "wxy");

    text.GetBuffer(1);
    text.ReleaseBuffer(100);
    EXPECT_EQ(text, "wxy");
}

TEST(CStringOperators, ConcatenateAndCompare)
{
    CString text("a");
    text += CString("b");
    text += "c";
    text += 'd';
    EXPECT_EQ('!' + text + '!', "!abcd!");
    EXPECT_TRUE(CString("ab") < "abc");
    EXPECT_TRUE(CString("z") < CString("\xE4"));  // unsigned bytes
    EXPECT_TRUE(CString("B") < CString("a"));     // case-sensitive
    EXPECT_EQ(CString("a").Compare(nullptr), 1);
}

} // namespace
