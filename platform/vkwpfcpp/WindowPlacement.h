#pragma once
#include "vkgui/Rect.h"

#include <cstdint>

// Values of WINDOWPLACEMENT::showCmd, as Windows numbers them.
inline constexpr std::uint32_t SW_SHOWNORMAL = 1;
inline constexpr std::uint32_t SW_SHOWMINIMIZED = 2;
inline constexpr std::uint32_t SW_SHOWMAXIMIZED = 3;

// The Windows window-placement record: 44 bytes, eleven 32-bit numbers.
// length must hold sizeof(WINDOWPLACEMENT) when the record is passed to
// CWPFDialog::GetWindowPlacement or SetWindowPlacement. The normal rectangle
// is the window's restored area in screen pixels, right and bottom
// exclusive; positions without meaning hold -1.
struct WINDOWPLACEMENT {
    std::uint32_t length;
    std::uint32_t flags;
    std::uint32_t showCmd;
    struct {
        std::int32_t x;
        std::int32_t y;
    } ptMinPosition, ptMaxPosition;
    RECT rcNormalPosition;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the placement record keeps its Windows size");
