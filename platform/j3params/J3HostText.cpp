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
    const auto isControl = [](unsigned char b) {
        return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    };
    std::string shown;
    std::size_t plainStart = 0;
    const std::string& bytes = text.str();
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && !isControl(static_cast<unsigned char>(bytes[i])))
            continue;
        shown += ToHost(CString(std::string_view(bytes).substr(plainStart, i - plainStart)));
        if (i < bytes.size()) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(bytes[i]));
            shown += escaped;
        }
        plainStart = i + 1;
    }
    return shown;
}
