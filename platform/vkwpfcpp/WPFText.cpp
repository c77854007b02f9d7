#include "vkwpfcpp/WPFText.h"

#include "winpath/AnsiCodePage.h"

QString CWPFText::ToQString(const CString& text)
{
    QString result(text.GetLength(), Qt::Uninitialized);
    QChar* out = result.data();
    for (char c : text.str())
        *out++ = QChar(static_cast<char16_t>(winpath::AnsiToWideChar(c)));
    return result;
}

CString CWPFText::FromQString(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        bytes.push_back(winpath::WideToAnsiChar(static_cast<wchar_t>(c.unicode())));
    return CString(bytes);
}
