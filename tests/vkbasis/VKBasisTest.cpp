#include "vkbasis/CPath.h"
#include "vkbasis/CString.h"
#include "vkbasis/DateUtils.h"
#include "vkbasis/ExitFunctions.h"
#include "vkbasis/PlatformChatterFilter.h"
#include "vkbasis/StringUtils.h"
#include "vkbasis/Trace.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
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

TEST(CPathTest, SubPathsAreDecidedOnNormalisedWholeNames)
{
    const struct { const char* path; const char* dir; bool within; } cases[] = {
        // a directory lies within itself, with or without trailing separator
        {"C:\\P\\Data", "C:\\P\\Data", true}, {"C:\\P\\Data\\", "C:\\P\\Data", true},
        {"C:\\P\\Data\\\\", "C:\\P\\Data", true},
        // below, in any case and with either separator
        {"c:/p/data/x", "C:\\P\\Data", true}, {"C:\\P\\Data\\x", "c:/p/DATA/", true},
        {"C:\\P\\\xC4rzte\\x", "C:\\P\\\xE4RZTE", true}, {"C:\\P\\\xC4rzte", "C:\\P\\Arzte", false},
        // a common text prefix is no common directory
        {"C:\\P\\Database", "C:\\P\\Data", false}, {"C:\\P", "C:\\P\\Data", false},
        // dot-dot cannot climb out, dot changes nothing
        {"C:\\P\\Data\\..\\..\\Windows", "C:\\P\\Data", false}, {"C:\\P\\Data\\..\\Database", "C:\\P\\Data", false},
        {"C:\\P\\Data\\x\\..", "C:\\P\\Data", true}, {"C:\\P\\Other\\..\\Data\\x", "C:\\P\\Data", true},
        {"C:\\..\\P\\Data", "C:\\P\\Data", true},
        // roots must agree
        {"D:\\P\\Data\\x", "C:\\P\\Data", false}, {"P\\Data\\x", "C:\\P\\Data", false},
        {"C:P\\Data\\x", "C:\\P\\Data", false}, {"C:\\anything", "C:\\", true},
        // network paths
        {"\\\\server\\share\\dir\\x", "\\\\server\\share\\dir", true},
        {"//SERVER/share/dir/x", "\\\\server\\share\\dir", true},
        {"\\\\other\\share\\dir\\x", "\\\\server\\share\\dir", false},
        // relative paths against relative directories
        {"data\\x", ".", true}, {"..\\x", ".", false}, {"data\\..\\..\\x", "data", false},
        {"..\\data\\x", "..\\data", true},
        // the empty path is no directory and names no place
        {"", "C:\\P\\Data", false}, {"", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPath(c.path).IsSubPath(CPath(c.dir)), c.within) << c.path << " within " << c.dir;
}

TEST(CPathTest, SplitsIntoDirectoryAndNameWithoutExtension)
{
    const struct { const char* path; const char* dir; const char* filename; } cases[] = {
        {"/work/main/J3Dialoge/DBFileDialog.cpp", "\\work\\main\\J3Dialoge\\", "DBFileDialog"},
        {"C:\\x/y\\archive.tar.gz", "C:\\x\\y\\", "archive.tar"}, {"C:\\x\\.hidden", "C:\\x\\", ".hidden"},
        {"C:\\x\\dir\\", "C:\\x\\dir\\", ""}, {"C:\\", "C:\\", ""}, {"C:file.txt", "C:", "file"},
        {"\\\\server\\share\\x.doc", "\\\\server\\share\\", "x"}, {"", "", ""},
    };
    for (const auto& c : cases) {
        const CPath path(c.path);
        EXPECT_EQ(path.GetDir(), c.dir) << c.path;
        EXPECT_EQ(path.GetFilename(), c.filename) << c.path;
    }
}

TEST(StringUtilsTest, SeparatedTextsSplitAtEverySeparator)
{
    const struct { const char* text; bool dropEmptyLast; std::vector<CString> expected; } cases[] = {
        {"12|34|", true, {"12", "34"}}, {"12|34|", false, {"12", "34", ""}}, {"a||b", true, {"a", "", "b"}},
        {"|", true, {""}},              {"single", true, {"single"}},         {"", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<CString> pieces{CString("left over")};
        EXPECT_EQ(SeparatedStrToVec(CString(c.text), '|', pieces, c.dropEmptyLast), int(c.expected.size())) << c.text;
        EXPECT_EQ(pieces, c.expected) << '"' << c.text << "\" drop " << c.dropEmptyLast;
    }
}

TEST(StringUtilsTest, PiecesAreTakenPutAndPadded)
{
    const struct { CString actual; const char* expected; } taken[] = {
        {GetMidStr("dps012", 3, -1), "012"}, {GetMidStr("dps012", 3, 2), "01"}, {GetMidStr("dps012", 9, -1), ""},
        {GetMidStr("dps012", -2, 2), "dp"},
    };
    for (const auto& c : taken)
        EXPECT_EQ(c.actual, c.expected);

    const struct { const char* target; int pos; const char* text; int count; const char* expected; } put[] = {
        {"abcdef", 2, "XY", -1, "abXYef"},   {"abcdef", 2, "XYZ", 1, "abXdef"}, {"abcdef", 2, "X", 3, "abX  f"},
        {"abcdef", 4, "XYZ", -1, "abcdXYZ"}, {"ab", 4, "X", -1, "ab  X"},       {"abcdef", -3, "XY", -1, "XYcdef"},
    };
    for (const auto& c : put) {
        CString target(c.target);
        PutMidStr(target, c.pos, CString(c.text), c.count);
        EXPECT_EQ(target, c.expected) << c.target << " " << c.pos << " " << c.text << " " << c.count;
    }

    // Padding never cuts.
    const struct { const char* text; int length; char fill; const char* expected; } padded[] = {
        {"abc", 5, ' ', "abc  "}, {"abcdef", 3, ' ', "abcdef"}, {"", 2, '0', "00"}, {"x", -1, ' ', "x"}};
    for (const auto& c : padded) {
        CString text(c.text);
        EXPECT_EQ(FillTail(text, c.length, c.fill), c.expected) << c.text;
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(StringUtilsTest, SizesAndDatesAreShownInGerman)
{
    const struct { double bytes; const char* expected; } sizes[] = {
        {1, "1 Byte"},    {1023.4, "1023 Bytes"},         {1023.6, "1,0 KB"},
        {1024, "1,0 KB"}, {1024 * 1024 - 52, "1023,9 KB"}, {1024 * 1024 - 51, "1,0 MB"},
        {2.25 * 1024 * 1024 * 1024, "2,3 GB"}, {2048.0 * 1024 * 1024 * 1024 * 1024, "2048,0 TB"},
        {-1, ""},         {std::nan(""), ""},
    };
    for (const auto& c : sizes)
        EXPECT_EQ(BytesToString(c.bytes), c.expected) << c.bytes;

    const struct { const char* dbDate; const char* expected; } dates[] = {
        {"20240229", "29.02.2024"}, {"20000229", "29.02.2000"}, {"00011231", "31.12.0001"},
        {" 19991231 ", "31.12.1999"},
        {"19000229", ""},  // divisible by 100, not by 400
        {"20240431", ""}, {"20241301", ""}, {"00001231", ""}, {"202401311", ""}, {"+2024013", ""}, {"", ""},
    };
    for (const auto& c : dates)
        EXPECT_EQ(Db2Date(CString(c.dbDate)), c.expected) << '"' << c.dbDate << '"';
}

TEST(StringUtilsTest, TimeStampIsLocalTimeAsFourteenDigits)
{
    // German time without relying on installed zone files; the test program
    // keeps it from here on.
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    const struct { std::time_t moment; const char* expected; } cases[] = {
        {0, "19700101010000"},           // winter time, UTC+1
        {1719835199, "20240701135959"},  // 2024-07-01 11:59:59 UTC, summer time
        {1709251199, "20240301005959"},  // 2024-02-29 23:59:59 UTC
    };
    for (const auto& c : cases)
        EXPECT_EQ(StechUhrOf(c.moment), c.expected) << c.moment;

    const std::time_t before = std::time(nullptr);
    const CString stamp = GetStechUhr();
    const std::time_t after = std::time(nullptr);
    EXPECT_TRUE(stamp == StechUhrOf(before) || stamp == StechUhrOf(after)) << stamp;
}

TEST(TraceTest, SinksReceiveEveryPartFormattedAndMayTraceThemselves)
{
    std::vector<SVKTraceEntry> entries;
    const VKTraceSink previous = SetVKTraceSink([&entries](const SVKTraceEntry& entry) {
        entries.push_back(entry);
        if (entry.level > 0)
            VKTrace(entry.level - 1, 0, "sink", 0, "echo");
    });
    VKTrace(1, 7, "J3WinApp", 36, "%s hat %d Eintr\xE4ge", "Liste", 3);
    // Replacing the sink hands back the former one.
    std::vector<CString> other;
    const VKTraceSink mine = SetVKTraceSink([&other](const SVKTraceEntry& entry) { other.push_back(entry.text); });
    VKTrace(0, 0, nullptr, 0, "to the other");
    SetVKTraceSink(mine);
    SetVKTraceSink(previous);

    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].source, "J3WinApp");
    EXPECT_EQ(entries[0].line, 36);
    EXPECT_EQ(entries[0].area, 7);
    EXPECT_EQ(entries[0].text, "Liste hat 3 Eintr\xE4ge");
    EXPECT_EQ(entries[1].text, "echo");
    EXPECT_EQ(other, std::vector<CString>{"to the other"});

    // Without a sink one line goes to stderr.
    testing::internal::CaptureStderr();
    VKTrace(2, 0, "J3WinApp", 36, "%s", "gp_VKSysBase");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "VKTrace 2/0 J3WinApp(36): gp_VKSysBase\n");
}

TEST(TraceTest, ExitFunctionsRunInReverseOrderAndNullIsRefused)
{
    EXPECT_FALSE(AtVKExit(nullptr));
    EXPECT_EXIT(
        {
            const bool registered = AtVKExit([] { std::fputs("first registered\n", stderr); }) &&
                                    AtVKExit([] { std::fputs("second registered\n", stderr); });
            std::exit(registered ? 0 : 3);
        },
        testing::ExitedWithCode(0), "second registered\nfirst registered\n");
}

} // namespace

TEST(PlatformChatterFilterTest, DropsOnlyQtsPlatformChatter)
{
    static std::vector<std::string> passed;
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { passed.push_back(message.toStdString()); });
    CPlatformChatterFilter::Install();
    const QLoggingCategory own("j3.test");
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'");
    qWarning("This plugin does not support propagateSizeHints()");
    qWarning("Die Datei fehlt");
    qCWarning(own, "This plugin does not support j3");
    qCritical("This plugin does not support raise()");
    qInstallMessageHandler(before);
    EXPECT_EQ(passed, (std::vector<std::string>{"Die Datei fehlt", "This plugin does not support j3",
                                                "This plugin does not support raise()"}));
}
