#pragma once
#include <cstdint>

#include "J3Dialoge/FileAttributes.h"
#include "vkbasis/CString.h"

// The three cell texts of one row of the file dialog's list: name, last
// change, size.
class CDBFileRowTexts {
public:
    // The last element of the entry's path; a directory gets a trailing "\".
    static CString NameCell(const DBFileEntry& entry);
    // Local time as "04.12.2026  09:05:07"; empty for a directory.
    static CString LastChangeCell(const DBFileEntry& entry);
    // The byte count in readable form; empty for a directory.
    static CString SizeCell(const DBFileEntry& entry);

    // Empty for 0 (no time known) and for times that cannot be shown: before
    // 1970 or after the year 3000. A bad time from the store must not break
    // the whole listing, so it shows as no time rather than as an error.
    static CString FormatLastWriteTime(std::int64_t lastWriteTime);
};
