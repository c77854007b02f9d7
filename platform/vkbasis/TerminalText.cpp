#include "vkbasis/TerminalText.h"

#include <cstdio>

std::string CTerminalText::Safe(std::string_view utf8)
{
    std::string shown;
    char escaped[8];
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            std::snprintf(escaped, sizeof escaped, "\\u%04X", next);
            shown += escaped;
            ++i;
        } else {
            shown += utf8[i];
        }
    }
    return shown;
}

std::string CTerminalText::Message(std::string_view utf8)
{
    std::string shown;
    std::size_t start = 0;
    for (std::size_t end = utf8.find('\n'); end != std::string_view::npos; end = utf8.find('\n', start)) {
        shown += Safe(utf8.substr(start, end - start)) + "\n";
        start = end + 1;
    }
    return shown + Safe(utf8.substr(start));
}
