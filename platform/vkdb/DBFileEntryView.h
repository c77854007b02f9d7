#pragma once
#include <cstdint>
#include <string_view>

// One entry of a store search as the search meets it; the path text is only
// valid while the visitor that receives it runs.
struct SDBFileEntryView {
    std::string_view path;
    bool isDirectory = false;
    std::uint64_t length = 0;
    std::int64_t lastWriteTime = 0;
};
