#include "msgbox/ParamDescription.h"

#include <cstddef>

namespace {

std::string_view TrimLineBreaks(std::string_view text)
{
    constexpr std::string_view lineBreaks = "\r\n";
    const std::size_t first = text.find_first_not_of(lineBreaks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(lineBreaks) - first + 1);
}

std::optional<CParamDescription::EKind> KindNamed(std::string_view name)
{
    if (name == "text")
        return CParamDescription::EKind::Text;
    if (name == "zahl")
        return CParamDescription::EKind::Number;
    return std::nullopt;
}

bool IsInteger(std::string_view text)
{
    if (text.front() == '-')
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string FieldFault(std::size_t fieldNumber, const std::string& fault)
{
    return "Feld " + std::to_string(fieldNumber) + ": " + fault;
}

} // namespace

std::optional<CParamDescription> CParamDescription::Parse(std::string_view description, std::string& error)
{
    CParamDescription parsed;
    std::size_t position = 0;
    while (true) {
        const std::size_t open = description.find_first_of("[]", position);
        const std::size_t fieldNumber = parsed.m_fields.size() + 1;
        if (open == std::string_view::npos) {
            parsed.m_literals.emplace_back(description.substr(position));
            break;
        }
        if (description[open] == ']') {
            error = FieldFault(fieldNumber, "\"]\" ohne \"[\".");
            return std::nullopt;
        }
        const std::size_t close = description.find_first_of("[]", open + 1);
        if (close == std::string_view::npos || description[close] == '[') {
            error = FieldFault(fieldNumber, "\"[\" ohne \"]\".");
            return std::nullopt;
        }
        const std::string_view fieldText = description.substr(open + 1, close - open - 1);
        const std::size_t comma = fieldText.find(',');
        if (comma == std::string_view::npos) {
            error = FieldFault(fieldNumber, "Komma zwischen Art und Vorgabe fehlt.");
            return std::nullopt;
        }
        const std::optional<EKind> kind = KindNamed(fieldText.substr(0, comma));
        if (!kind) {
            error = FieldFault(fieldNumber, "unbekannte Art \"" + std::string(fieldText.substr(0, comma)) +
                                                "\" (erlaubt: text, zahl).");
            return std::nullopt;
        }
        const std::string_view initial = fieldText.substr(comma + 1);
        if (*kind == EKind::Number && !initial.empty() && !IsInteger(initial)) {
            error = FieldFault(fieldNumber, "Vorgabe \"" + std::string(initial) + "\" ist keine Zahl.");
            return std::nullopt;
        }
        const std::string_view literal = description.substr(position, open - position);
        parsed.m_literals.emplace_back(literal);
        parsed.m_fields.push_back({std::string(TrimLineBreaks(literal)), *kind, std::string(initial)});
        position = close + 1;
    }
    if (parsed.m_fields.empty()) {
        error = "Die Beschreibung enthält kein Eingabefeld \"[art,vorgabe]\".";
        return std::nullopt;
    }
    error.clear();
    return parsed;
}

std::string CParamDescription::Fill(const std::vector<std::string>& values) const
{
    std::string filled = m_literals.front();
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        filled += i < values.size() ? values[i] : m_fields[i].initial;
        filled += m_literals[i + 1];
    }
    return filled;
}
