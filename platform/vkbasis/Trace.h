#pragma once

#include "vkbasis/CString.h"

#include <functional>

// One trace message with where it came from.
struct SVKTraceEntry {
    int level = 0;  // how serious; larger is more serious
    int area = 0;   // the caller's subsystem number, 0 for none
    CString source; // the source unit that wrote it
    int line = 0;
    CString text;
};

using VKTraceSink = std::function<void(const SVKTraceEntry&)>;

// Writes a trace message, formatted printf-style, to the installed sink or,
// while none is installed, as one line to stderr:
// "VKTrace <level>/<area> <source>(<line>): <text>". A null source counts as
// the empty text. Safe to call from any thread.
void VKTrace(int level, int area, const char* source, int line, const char* format, ...)
    __attribute__((format(printf, 5, 6)));

// Installs sink for every later trace (an empty one restores stderr) and
// returns the sink it replaces, so that a caller can put it back.
VKTraceSink SetVKTraceSink(VKTraceSink sink);
