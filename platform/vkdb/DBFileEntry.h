#pragma once
#include "vkbasis/CString.h"

#include <cstdint>

// One entry of a search in the database file store.
struct SDBFileEntry {
    CString path; // full path, in the case it was stored with
    bool isDirectory = false;
    std::uint64_t length = 0;       // bytes; 0 for a directory
    std::int64_t lastWriteTime = 0; // seconds since 1970-01-01 UTC; 0 for a directory
};
