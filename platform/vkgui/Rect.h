#pragma once
#include <cstdint>

// The Windows rectangle record: edges in screen pixels, right and bottom
// exclusive. The edges are 32 bits wide as on Windows, so records that embed
// a rectangle (the window placement) keep their stored size.
struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};
