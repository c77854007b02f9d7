#pragma once
#include <cstdint>

// One program of a host's program table for the favourites tab. The table is
// an array that ends with an entry whose nProgKat is negative; the position
// of an entry in it is its program index. The host owns the table; the tab
// writes only bEnabled.
struct SFavoProgramm {
    std::int32_t nProgKat; // category: index into the category names table
    std::int32_t nProgId;  // id, as stored in the favourites record
    const char* pText;     // display text (Windows-1252)
    const char* pImage;    // image name in "j3wpfcs", holding the size "80"
    bool bEnabled;         // whether its favourite button is enabled
};
