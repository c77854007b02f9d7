#pragma once
#include "vkgui/Rect.h"

// Flags of CWndLayout::ClipOrCenterRectToMonitor, with their Windows values.
// Without MONITOR_CENTER the rectangle is clipped; without MONITOR_WORKAREA
// the whole monitor area is the bound.
inline constexpr unsigned int MONITOR_CLIP = 0x0000;
inline constexpr unsigned int MONITOR_CENTER = 0x0001;
inline constexpr unsigned int MONITOR_AREA = 0x0000;
inline constexpr unsigned int MONITOR_WORKAREA = 0x0002;

// Window layout helpers of the interface library.
class CWndLayout {
public:
    // Keeps *prc on a monitor, so that a remembered window position can be
    // restored after the screens changed.
    // - The monitor is the screen that overlaps the rectangle most; when it
    //   overlaps none, the screen nearest to it.
    // - The bound is that screen's whole geometry, or its available geometry
    //   (without task bars and docks) with MONITOR_WORKAREA.
    // - A side longer than the bound is shrunk to it (in both modes): a window
    //   larger than the screen would keep its title bar or buttons out of reach.
    // - MONITOR_CENTER centres the rectangle in the bound.
    // - Otherwise (clip) the rectangle is moved the least distance that puts
    //   it inside the bound; one already inside stays as it is.
    // A negative extent (right before left) counts as zero. Without a screen
    // (no Qt GUI application) or with a null pointer nothing changes.
    static void ClipOrCenterRectToMonitor(RECT* prc, unsigned int flags);
};
