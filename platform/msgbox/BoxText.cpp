#include "msgbox/BoxText.h"

#include "msgbox/StringTable.h"
#include "winpath/AnsiCodePage.h"

CBoxText::CBoxText(const char* text) : m_text(text != nullptr ? text : "")
{
}

CBoxText::CBoxText(const CString& text) : m_text(text.str())
{
}

CBoxText::CBoxText(int number) : m_number(number), m_isNumber(true)
{
}

QString CBoxText::ToQString() const
{
    if (m_isNumber)
        return CStringTable::Text(m_number);
    return QString::fromStdWString(winpath::AnsiToWide(m_text));
}

std::string CBoxText::ToUtf8() const
{
    return ToQString().toStdString();
}
