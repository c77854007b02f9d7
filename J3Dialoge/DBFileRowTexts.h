#pragma once
#include <cstdint>
#include <string_view>

#include "J3Dialoge/FileAttributes.h"
#include "vkbasis/CString.h"

// The three cell texts of one row of the file dialog's list: name, last
// change, size. They are made only for the rows that are painted.
class CDBFileRowTexts {
public:
    enum EColumn { NAME_COLUMN = 0, LAST_CHANGE_COLUMN = 1, SIZE_COLUMN = 2 };

    // The cell of that column for an entry of that name (the last element of
    // its path). A directory's name gets a trailing "\" and empty time and
    // size cells; a file's time is local time as "04.12.2026  09:05:07", its
    // size a readable byte count.
    static CString Cell(int column, std::string_view name, const SFileAttributes& attributes);

    // Empty for 0 (no time known) and for times that cannot be shown: before
    // 1970 or after the year 3000. A bad time from the store must not break
    // the whole listing, so it shows as no time rather than as an error.
    static CString FormatLastWriteTime(std::int64_t lastWriteTime);
};
