#pragma once
#include <string>

class CWPFDialog;

// A program's "--screenshot PNG": the dialog is saved as a picture as it
// first shows, and then cancelled.
class CJ3DialogScreenshot {
public:
    // Runs the dialog modally until its content first shows, saves it and
    // cancels it; false when the picture could not be written.
    static bool Take(CWPFDialog& dialog, const std::string& pngFile);
};
