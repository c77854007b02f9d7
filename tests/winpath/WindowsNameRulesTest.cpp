#include "winpath/WindowsNameRules.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowsNameRulesTest, JudgesSingleNames)
{
    const struct { const wchar_t* name; bool valid; } cases[] = {
        {L"", false},      {L"a", true},      {L"a.", false},   {L"a ", false},       {L".hidden", true},
        {L" lead", true},  {L"aux.", false},  {L"COM10", true}, {L"CONIN$", true},    {L"a:b", false},
        {L"a?b", false},   {L"a*b", false},   {L"a/b", false},  {L"a\\b", false},     {L"a\"b", false},
        {L"a<b", false},   {L"a>b", false},   {L"a|b", false},  {L"tab\there", true}, {L"\x00e4rger", true},
        // Device names in any case and with any extension; the extension's dot does not reach past a line end.
        {L"CoN", false},   {L"lpt9.a.b", false}, {L"com0", true},  {L"lpt", true},       {L"xaux", true},
        {L"nul.\n", true}, {L"prn.a\rb", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CWindowsNameRules::IsValidWindowsComponent(c.name), c.valid) << winpath::path(c.name).string();
}

TEST(WindowsNameRulesTest, JudgesWholePaths)
{
    const struct { const wchar_t* path; bool invalid; } cases[] = {
        {L"C:\\data\\new", false},     {L"C:\\data\\con", true}, {L"C:\\data\\new.", true},
        {L"\\\\server\\share\\x", true}, {L"C:\\data\\", false}, {L"C:\\data\\..\\x", true},
        {L"z:\\x", false},              {L"C:\\data\\C:\\x", true}, {L"C:C:", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CWindowsNameRules::HasInvalidPathComponent(winpath::path(c.path)), c.invalid)
            << winpath::path(c.path).string();
}

} // namespace
