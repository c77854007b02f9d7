#pragma once

// Qt's platform layer warns about things a command-line program of the suite
// can do nothing about: no runtime folder on a plain shell, window features
// the offscreen platform lacks. Those lines would bury the program's own
// output and messages, so the programs drop them; every other message, the
// suite's own warnings included, goes on to the handler installed before.
class CPlatformChatterFilter {
public:
    // Installs the filter for the whole process; call it before the
    // application object starts. Installing it again changes nothing.
    static void Install();
};
