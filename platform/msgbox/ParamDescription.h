#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The field description of an input box (VKParamBox), 8-bit text:
//   label "[" kind "," initial text "]"  { label "[" kind "," initial text "]" }
// e.g. "Verzeichnisname: [text,]" or "Name: [text,Meier]\nAlter: [zahl,40]".
// - A label is the text before a field, after the previous field; line breaks
//   around it only separate fields and are not shown.
// - Kinds: "text" (any text) and "zahl" (an integer, digits with an optional
//   minus sign).
// - The initial text runs from the first comma to the closing bracket and may
//   be empty; it cannot hold brackets.
// - Text after the last field is kept but not shown.
// The filled description is the description with each bracketed field
// replaced by its entered text, everything else unchanged.
class CParamDescription {
public:
    enum class EKind { Text, Number };

    struct SField {
        std::string label; // as shown, without surrounding line breaks
        EKind kind = EKind::Text;
        std::string initial;
    };

    // Parses a description. On a fault: nothing, and error holds a German
    // sentence naming it, in UTF-8 (for the error box). The initial text of a
    // "zahl" field must be empty or an integer.
    static std::optional<CParamDescription> Parse(std::string_view description, std::string& error);

    const std::vector<SField>& Fields() const { return m_fields; }

    // The description with field i replaced by values[i]; a missing value
    // keeps the field's initial text.
    std::string Fill(const std::vector<std::string>& values) const;

private:
    std::vector<SField> m_fields;
    std::vector<std::string> m_literals; // the text around the fields: one more than fields
};
