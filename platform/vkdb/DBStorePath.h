#pragma once
#include "vkbasis/CString.h"

#include <string>
#include <string_view>

// Path texts of the database file store.
//
// Paths are Windows-style 8-bit texts kept as given, case preserved. On the
// way in both "\" and "/" count as separators and become "\", and runs of
// separators shrink to one, except the two that start a network path
// ("\\server\share"); nothing else is changed (no "." or ".." handling, no
// trimming of blanks or dots). Comparison ignores case as the Windows file
// system does: the key of a path is its Windows-1252 upper-case form, byte
// for byte the same length, so a key and its path line up position by position.
class CDBStorePath {
public:
    static constexpr char Separator = '\\';

    static std::string Normalize(std::string_view path);
    static std::string Key(std::string_view normalizedPath);
    // Windows' own limits on a whole path and on one name in it.
    static constexpr std::size_t MaxPathLength = 32767;
    static constexpr std::size_t MaxNameLength = 255;

    // A normalized path can name a file: not empty, no NUL byte, not ending
    // in a separator.
    static bool IsValidFilePath(std::string_view normalizedPath);
    // Empty when a normalized path may name a new file, else the reason
    // (German). A stored file must be reachable from a drive's root, so the
    // path is absolute ("X:\..."), has no "." or ".." elements, stays within
    // Windows' limits, and every name passes the Windows name rules and holds
    // no control character: a file the dialog cannot show would be lost.
    static std::string NewFileFault(std::string_view normalizedPath);
    // The smallest text above every text that starts with prefix; empty when
    // there is none (prefix empty or all 0xFF bytes).
    static std::string PrefixEnd(std::string_view prefix);
};
