#pragma once
#include "vkbasis/CString.h"

#include <QString>

// The toolkit's texts at its interface are 8-bit Windows-1252 (CString);
// Qt's are Unicode. Every byte survives the round trip; a character that
// Windows-1252 cannot show becomes '?'.
class CWPFText {
public:
    static QString ToQString(const CString& text);
    static CString FromQString(const QString& text);
};
