#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Every stand-in for a Windows service notes its calls here, in call order, so
// that a program (and its tests) can see what was started, loaded and ended.
// Entries are "Name" or "Name argument".
class CWin32Journal {
public:
    static void Record(std::string entry);
    static std::vector<std::string> Entries();
    // Number of entries recorded so far; use as a mark to read what follows.
    static std::size_t Size();
    static std::vector<std::string> EntriesSince(std::size_t mark);
    // How many entries since mark are exactly entry.
    static int CountSince(std::size_t mark, std::string_view entry);
};
