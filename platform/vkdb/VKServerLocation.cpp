#include "vkdb/VKServerLocation.h"

#include <libpq-fe.h>

#include <memory>

namespace {

using OptionList = std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)>;

OptionList Parse(std::string_view location)
{
    char* error = nullptr;
    OptionList options(PQconninfoParse(std::string(location).c_str(), &error), &PQconninfoFree);
    // libpq's reason may quote the unreadable part, a password among them.
    PQfreemem(error);
    return options;
}

bool IsSecret(const PQconninfoOption& option)
{
    return option.dispchar && option.dispchar[0] == '*';
}

std::string Quoted(const std::string& value)
{
    if (!value.empty() && value.find_first_of(" '\\") == std::string::npos)
        return value;
    std::string quoted = "'";
    for (const char c : value)
        quoted += c == '\'' || c == '\\' ? std::string{'\\', c} : std::string(1, c);
    return quoted + "'";
}

} // namespace

bool CVKServerLocation::IsServerLocation(std::string_view location)
{
    if (location.starts_with("postgresql://") || location.starts_with("postgres://"))
        return true;
    return location.find('=') != std::string_view::npos && IsReadable(location);
}

std::string CVKServerLocation::Displayable(std::string_view location)
{
    const OptionList options = Parse(location);
    if (!options)
        return "(eine nicht lesbare Serveradresse)";
    std::string shown;
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
        if (option->val && !IsSecret(*option))
            shown += (shown.empty() ? "" : " ") + std::string(option->keyword) + "=" + Quoted(option->val);
    }
    return shown;
}

bool CVKServerLocation::IsReadable(std::string_view location)
{
    return Parse(location) != nullptr;
}

bool CVKServerLocation::HoldsPassword(std::string_view location)
{
    const OptionList options = Parse(location);
    for (const PQconninfoOption* option = options.get(); option && option->keyword; ++option) {
        if (option->val && IsSecret(*option))
            return true;
    }
    return false;
}
