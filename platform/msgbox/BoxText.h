#pragma once
#include "vkbasis/CString.h"

#include <QString>
#include <string>

// A caption or text of a box: either 8-bit text in the ANSI code page
// (Windows-1252) or the number of one of the suite's texts (CStringTable).
// Converts implicitly, so a box is called as HaltE("Titel", strText, 0) or
// Halt(6, 7049, 0). A null text pointer is the empty text.
class CBoxText {
public:
    CBoxText(const char* text);
    CBoxText(const CString& text);
    CBoxText(int number);

    // The text as shown: the table's text for a number, the 8-bit text decoded
    // from Windows-1252 otherwise.
    QString ToQString() const;
    std::string ToUtf8() const;

private:
    std::string m_text;
    int m_number = 0;
    bool m_isNumber = false;
};
