#pragma once
#include "vkbasis/CString.h"

#include <string>

// Texts between the host (UTF-8: file names, configuration, terminals) and
// the suite (8-bit Windows-1252).
class CJ3HostText {
public:
    // A character that 1252 cannot show becomes '?'.
    static CString FromHost(const std::string& utf8);
    static std::string ToHost(const CString& text);
    // True when every character of utf8 has a 1252 form, so that FromHost
    // loses nothing.
    static bool FitsSuite(const std::string& utf8);
    // ToHost for a terminal (CTerminalText::Safe): control characters (also
    // the five bytes 1252 leaves undefined, which become C1 control
    // characters) are shown escaped, so that a stored name can neither steer
    // the terminal nor split a line.
    static std::string ToTerminal(const CString& text);
};
