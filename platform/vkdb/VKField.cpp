#include "vkdb/VKField.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Folding of each Windows-1252 byte: nullptr keeps the byte as it is.
std::array<const char*, 256> BuildFolding()
{
    std::array<const char*, 256> folding{};
    static const char* const letters[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                            "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    for (int i = 0; i < 26; ++i) {
        folding['a' + i] = letters[i];
        folding['A' + i] = letters[i];
    }
    // Accented capitals 0xC0-0xDE and their small partners 0x20 above.
    static const char* const accented[31] = {
        "A", "A", "A", "A", "A", "A", "AE", "C",     "E", "E", "E", "E", "I", "I", "I", "I", // C0-CF
        "D", "N", "O", "O", "O", "O", "O",  nullptr, "O", "U", "U", "U", "U", "Y", "TH"};    // D0-DE
    for (int i = 0; i < 31; ++i) {
        folding[0xC0 + i] = accented[i];
        folding[0xE0 + i] = accented[i];
    }
    folding[0xFF] = "Y";
    folding[0xDF] = "SS";
    folding[0x8A] = folding[0x9A] = "S";
    folding[0x8C] = folding[0x9C] = "OE";
    folding[0x8E] = folding[0x9E] = "Z";
    folding[0x9F] = "Y";
    return folding;
}

} // namespace

CString CVKField::MakeKY(const CString& text, int maxLength)
{
    static const std::array<const char*, 256> folding = BuildFolding();
    if (maxLength < 1)
        return CString();
    const auto limit = static_cast<std::size_t>(maxLength);
    std::string key;
    for (char c : text.str()) {
        if (key.size() >= limit)
            break;
        const char* folded = folding[static_cast<unsigned char>(c)];
        key += folded ? std::string_view(folded) : std::string_view(&c, 1);
    }
    key.resize(std::min(key.size(), limit));
    return CString(key);
}
