#pragma once
#include <string>

// Qt picks its window-system platform when the application object starts, and
// aborts there when it cannot reach a display. The suite's programs are also
// run from scripts and on servers, so they decide before the start: a program
// that only draws pictures, or opens no window at all, runs on Qt's offscreen
// platform when there is no display.
class CDisplayPlatform {
public:
    // A display to open windows on: DISPLAY or WAYLAND_DISPLAY, or a platform
    // the caller named in QT_QPA_PLATFORM.
    static bool IsAvailable();

    // Chooses the offscreen platform unless a display is available.
    static void UseOffscreenWithoutDisplay();

    // For a program that shows `window` (German, with its article): without a
    // display it can only save pictures, so a run that wants the window gets
    // the one-line refusal to print; otherwise the platform is chosen and the
    // answer is empty.
    static std::string ChooseForWindow(bool picturesOnly, const std::string& window);
};
