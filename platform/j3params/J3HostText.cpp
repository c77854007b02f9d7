#include "j3params/J3HostText.h"

#include "vkbasis/TerminalText.h"
#include "winpath/AnsiCodePage.h"

#include <QString>

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
    return CTerminalText::Safe(ToHost(text));
}
