#pragma once
#include <cstdint>
#include <utility>

#include "winpath/Path.h"

// What the file dialog knows of one entry of a directory of the database
// file store.
struct SFileAttributes {
    bool isDirectory = false;
    std::int64_t lastWriteTime = 0; // seconds since 1970-01-01 UTC; 0 when the store gives none
    std::uint64_t size = 0;         // bytes as the store reports them

    friend bool operator==(const SFileAttributes&, const SFileAttributes&) = default;
};

// A listed entry: its real store path and its attributes.
using DBFileEntry = std::pair<winpath::path, SFileAttributes>;
