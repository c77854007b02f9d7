#pragma once
#include "vkbasis/CString.h"

#include <functional>
#include <string>

// What the person at a workstation hears about the practice's database
// server while a program runs: that a lost connection is back, perhaps on
// another server (a promoted standby) or a restarted one. The program decides
// how to tell it (a box, a line on stderr). A start of a server is told once,
// however many of the program's connections find their way back to it.
class CVKServerNotice {
public:
    using Listener = std::function<void(const CString& text)>;

    // The program's way of telling the person; an empty one tells nothing.
    static void SetListener(Listener listener);
    // Tells text, unless serverStart (the server's address and the time it
    // started) is the one told last.
    static void Tell(const std::string& serverStart, const CString& text);
};
