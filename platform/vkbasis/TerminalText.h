#pragma once
#include <string>
#include <string_view>

// Texts for a terminal. Every message a program prints goes through here,
// since messages quote arguments, file names and stored names, and none of
// their control bytes may steer the terminal or forge a line.
class CTerminalText {
public:
    // Control characters become "\xNN", the C1 controls (UTF-8) "\u0080" to
    // "\u009F"; everything else is kept.
    static std::string Safe(std::string_view utf8);
    // Safe line by line, the line breaks kept.
    static std::string Message(std::string_view utf8);
};
