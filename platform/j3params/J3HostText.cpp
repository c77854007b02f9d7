#include "j3params/J3HostText.h"

#include "winpath/AnsiCodePage.h"

#include <QString>

#include <cstdio>

CString CJ3HostText::FromHost(const std::string& utf8)
{
    return CString(winpath::WideToAnsi(QString::fromStdString(utf8).toStdWString()));
}

std::string CJ3HostText::ToHost(const CString& text)
{
    return QString::fromStdWString(winpath::AnsiToWide(text.str())).toStdString();
}

bool CJ3HostText::FitsSuite(const std::string& utf8)
{
    return ToHost(FromHost(utf8)) == utf8;
}

std::string CJ3HostText::ToTerminal(const CString& text)
{
    return TerminalSafe(ToHost(text));
}

std::string CJ3HostText::TerminalSafe(std::string_view utf8)
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
