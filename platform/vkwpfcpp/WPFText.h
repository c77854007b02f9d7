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
    // A stored text as a label, tab or list shows it: at most limit
    // characters, a longer one cut with "…", never inside a surrogate pair.
    // Showing a whole unbounded record would freeze the interface.
    static constexpr int ShownLimit = 300;
    static QString Bounded(const QString& text, int limit = ShownLimit);
    static CString Bounded(const CString& text, int limit = ShownLimit);
};
