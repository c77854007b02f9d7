// The Windows name rules against a model that states them directly,
// the device names as the regular expression that defines them.
#include "FuzzCheck.h"

#include "winpath/AnsiCodePage.h"
#include "winpath/WindowsNameRules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <regex>
#include <string>
#include <vector>

namespace {

// The expression recurses once per character; longer names are only run
// through the rules, not compared.
constexpr std::size_t kLongestModelName = 200;

bool ModelValid(const std::wstring& name)
{
    static const std::wregex deviceName(L"^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(?:\\..*)?$",
                                        std::regex::ECMAScript | std::regex::icase);
    if (name.empty() || name.find_first_of(std::wstring(L"<>:\"|?*/\\")) != std::wstring::npos)
        return false;
    if (name.back() == L' ' || name.back() == L'.')
        return false;
    return !std::regex_match(name, deviceName);
}

bool HasSeparator(const std::wstring& name)
{
    return name.find_first_of(L"\\/") != std::wstring::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<std::wstring> names;
    while (input.remaining_bytes() > 0 && names.size() < 8)
        names.push_back(winpath::AnsiToWide(input.ConsumeRandomLengthString(kLongestModelName + 50)));

    bool anyInvalid = false;
    std::wstring path = L"C:";
    for (const std::wstring& name : names) {
        const bool valid = CWindowsNameRules::IsValidWindowsComponent(name);
        if (name.size() <= kLongestModelName)
            FuzzCheck(valid == ModelValid(name), "a single name is judged as the model judges it");
        if (name.empty() || HasSeparator(name))
            continue;
        anyInvalid = anyInvalid || !valid;
        path += L"\\" + name;
    }
    FuzzCheck(CWindowsNameRules::HasInvalidPathComponent(winpath::path(path)) == anyInvalid,
              "a drive path is invalid exactly when one of its names is");
    FuzzCheck(CWindowsNameRules::HasInvalidPathComponent(winpath::path(L"\\\\server\\share" + path.substr(2))),
              "a network path is always invalid");
    return 0;
}
