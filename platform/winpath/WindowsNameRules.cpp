#include "winpath/WindowsNameRules.h"

// GCC 12 reports a false "maybe uninitialized" inside std::regex's own
// std::function members when sanitizers are on.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#include <string_view>
#include <utility>

namespace {

constexpr std::wstring_view kForbiddenCharacters = L"<>:\"|?*/\\";

// The regular expression engine treats these as line ends, which its "."
// does not match.
bool IsLineTerminator(wchar_t ch)
{
    return ch == L'\n' || ch == L'\r';
}

} // namespace

bool CWindowsNameRules::IsValidWindowsComponent(const std::wstring& name)
{
    if (name.empty())
        return false;
    if (name.find_first_of(kForbiddenCharacters) != std::wstring::npos)
        return false;
    if (name.back() == L' ' || name.back() == L'.')
        return false;
    return !IsReservedDeviceName(name);
}

// The device names are "^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(?:\..*)?$",
// case-insensitive. The expression is matched against the part before the
// first dot only and the tail is checked by hand: the engine recurses once
// per character of ".*" and overflows the stack on names of some 100,000
// characters, which a pasted text can reach.
bool CWindowsNameRules::IsReservedDeviceName(const std::wstring& name)
{
    static const std::wregex deviceName(L"^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$",
                                        std::regex::ECMAScript | std::regex::icase);
    const std::size_t dot = name.find(L'.');
    const std::wstring_view head = std::wstring_view(name).substr(0, dot);
    constexpr std::size_t kLongestDeviceName = 4;
    if (head.size() > kLongestDeviceName)
        return false;
    if (dot != std::wstring::npos) {
        for (std::size_t i = dot + 1; i < name.size(); ++i)
            if (IsLineTerminator(name[i]))
                return false;
    }
    return std::regex_match(head.begin(), head.end(), deviceName);
}

bool CWindowsNameRules::HasInvalidPathComponent(const winpath::path& p)
{
    const winpath::path rootName = p.root_name();
    if (!rootName.empty()) {
        const std::wstring& text = rootName.native();
        const bool isDrive = text.size() == 2 && text[1] == L':' &&
                             ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z'));
        if (!isDrive)
            return true;
    }
    // Only the first element is the root name: a later name that reads the
    // same ("C:\\data\\C:") is a name like any other, and ':' is forbidden.
    bool atRootName = !rootName.empty();
    for (const winpath::path& element : p) {
        const std::wstring& text = element.native();
        if (std::exchange(atRootName, false) || text.empty() || text == L"\\" || text == L"/")
            continue;
        if (!IsValidWindowsComponent(text))
            return true;
    }
    return false;
}
