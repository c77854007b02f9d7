#include "vkwpfcpp/WPFText.h"

#include "winpath/AnsiCodePage.h"
#include "winpath/AnsiLiteral.h"

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

QString CWPFText::Bounded(const QString& text, int limit)
{
    if (text.size() <= limit)
        return text;
    qsizetype cut = limit - 1;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

CString CWPFText::Bounded(const CString& text, int limit)
{
    return text.GetLength() <= limit ? text : text.Left(limit - 1) + "…"_ansi;
}
