#include "vkdb/DBStorePath.h"

#include "winpath/AnsiCodePage.h"
#include "winpath/AnsiLiteral.h"
#include "winpath/WindowsNameRules.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

} // namespace

std::string CDBStorePath::Normalize(std::string_view path)
{
    std::string result;
    result.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!IsSeparator(path[i])) {
            result += path[i];
            continue;
        }
        // "\\server": the second separator of a network path's start stays.
        const bool networkStart = i == 1 && result.size() == 1 && result[0] == Separator;
        if (result.empty() || result.back() != Separator || networkStart)
            result += Separator;
    }
    return result;
}

std::string CDBStorePath::Key(std::string_view normalizedPath)
{
    CString key(normalizedPath);
    key.MakeUpper();
    return key.str();
}

bool CDBStorePath::IsValidFilePath(std::string_view normalizedPath)
{
    return !normalizedPath.empty() && normalizedPath.back() != Separator &&
           normalizedPath.find('\0') == std::string_view::npos;
}

std::string CDBStorePath::NewFileFault(std::string_view normalizedPath)
{
    if (!IsValidFilePath(normalizedPath))
        return "leer, mit NUL-Zeichen oder mit Trennzeichen am Ende";
    if (normalizedPath.size() > MaxPathLength)
        return "länger als "_ansi + std::to_string(MaxPathLength) + " Zeichen";
    const bool onDrive = normalizedPath.size() > 3 && std::isalpha(static_cast<unsigned char>(normalizedPath[0])) &&
                         normalizedPath[1] == ':' && normalizedPath[2] == Separator;
    if (!onDrive || static_cast<unsigned char>(normalizedPath[0]) >= 0x80)
        return "kein absoluter Pfad auf einem Laufwerk wie C:\\Ordner\\Datei";
    for (std::size_t start = 3; start < normalizedPath.size();) {
        const std::size_t end = std::min(normalizedPath.find(Separator, start), normalizedPath.size());
        const std::string_view name = normalizedPath.substr(start, end - start);
        if (name.size() > MaxNameLength)
            return "ein Name ist länger als "_ansi + std::to_string(MaxNameLength) + " Zeichen";
        if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            return "ein Name enthält ein Steuerzeichen"_ansi;
        if (!CWindowsNameRules::IsValidWindowsComponent(winpath::AnsiToWide(name)))
            return "der Name \"" + std::string(name) + "\" ist unter Windows nicht erlaubt";
        start = end + 1;
    }
    return {};
}

std::string CDBStorePath::PrefixEnd(std::string_view prefix)
{
    std::string end(prefix);
    while (!end.empty() && static_cast<unsigned char>(end.back()) == 0xFF)
        end.pop_back();
    if (!end.empty())
        end.back() = static_cast<char>(static_cast<unsigned char>(end.back()) + 1);
    return end;
}
