#include "vkdb/DBStorePath.h"

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

std::string CDBStorePath::PrefixEnd(std::string_view prefix)
{
    std::string end(prefix);
    while (!end.empty() && static_cast<unsigned char>(end.back()) == 0xFF)
        end.pop_back();
    if (!end.empty())
        end.back() = static_cast<char>(static_cast<unsigned char>(end.back()) + 1);
    return end;
}
