#pragma once
#include <string>
#include <vector>

class CWPFDialog;

// A program's "--screenshot PNG": the dialog is saved as a picture as it
// first shows, and then cancelled.
class CJ3DialogScreenshot {
public:
    // Before the Qt application starts: a run that only takes a picture, or
    // one without a display, goes to the offscreen platform unless
    // QT_QPA_PLATFORM names one.
    static void ChoosePlatform(const std::vector<std::string>& args);
    // Runs the dialog modally until its content first shows, saves it and
    // cancels it; false when the picture could not be written.
    static bool Take(CWPFDialog& dialog, const std::string& pngFile);
};
