#include <random>
// GCC 12 reports a false "maybe uninitialized" inside std::regex's own
// std::function members when sanitizers are on.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "winpath/WindowsNameRules.h"

namespace {

struct SNameCase {
    std::wstring name;
    bool valid;
};

TEST(WindowsNameRulesTest, JudgesSingleNames)
{
    const std::vector<SNameCase> cases = {
        {L"", false},      {L"a", true},      {L"a.", false},   {L"a ", false},       {L".hidden", true},
        {L" lead", true},  {L"aux.", false},  {L"COM10", true}, {L"CONIN$", true},    {L"a:b", false},
        {L"a?b", false},   {L"a*b", false},   {L"a/b", false},  {L"a\\b", false},     {L"a\"b", false},
        {L"a<b", false},   {L"a>b", false},   {L"a|b", false},  {L"tab\there", true}, {L"\x00e4rger", true},
    };
    for (const SNameCase& c : cases)
        EXPECT_EQ(CWindowsNameRules::IsValidWindowsComponent(c.name), c.valid)
            << std::string(c.name.begin(), c.name.end());
}

// The device-name test must answer as the expression
// "^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(?:\..*)?$" does, corners included
// (its "." does not match line ends).
TEST(WindowsNameRulesTest, DeviceNamesAgreeWithTheExpressionOnManyNames)
{
    const std::wregex deviceName(L"^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(?:\\..*)?$",
                                 std::regex::ECMAScript | std::regex::icase);
    const std::vector<std::wstring> heads = {L"con", L"CoN", L"prn", L"aux", L"nul", L"com1", L"COM9",
                                             L"lpt5", L"com0", L"lpt", L"conx", L"xaux", L""};
    const std::vector<std::wstring> tails = {L"", L".", L".txt", L".a.b", L".\n", L".a\rb", L"x", L"\n",
                                             L"..", L". x"};
    for (const std::wstring& head : heads)
        for (const std::wstring& tail : tails) {
            const std::wstring name = head + tail;
            const bool reserved = std::regex_match(name, deviceName);
            // Names that fail the earlier checks say nothing about the device test.
            if (name.empty() || name.back() == L'.' || name.back() == L' ')
                continue;
            EXPECT_EQ(CWindowsNameRules::IsValidWindowsComponent(name), !reserved)
                << std::string(name.begin(), name.end());
        }
}

struct SPathCase {
    const wchar_t* path;
    bool invalid;
};

TEST(WindowsNameRulesTest, JudgesWholePaths)
{
    const std::vector<SPathCase> cases = {
        {L"C:\\data\\new", false},     {L"C:\\data\\con", true}, {L"C:\\data\\new.", true},
        {L"\\\\server\\share\\x", true}, {L"C:\\data\\", false}, {L"C:\\data\\..\\x", true},
        {L"z:\\x", false},              {L"C:\\data\\C:\\x", true}, {L"C:C:", true},
    };
    for (const SPathCase& c : cases)
        EXPECT_EQ(CWindowsNameRules::HasInvalidPathComponent(winpath::path(c.path)), c.invalid)
            << winpath::path(c.path).string();
}

} // namespace
