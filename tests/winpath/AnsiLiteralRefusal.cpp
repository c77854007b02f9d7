// Must not compile: the tooth is not in Windows-1252.
#include "winpath/AnsiLiteral.h"

const char* const kRefused = "Zahn 🦷"_ansi;
