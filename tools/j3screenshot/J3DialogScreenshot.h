#pragma once
#include <memory>
#include <ostream>
#include <string>

class CBoxAnswerer;
class CWPFDialog;
class QWidget;

// A program's "--screenshot PNG": the dialog is saved as a picture once it
// shows at rest, and then cancelled. While the object lives no box waits for
// a person: each is answered as a closed box would be and kept for the
// report.
class CJ3DialogScreenshot {
public:
    explicit CJ3DialogScreenshot(std::ostream& err);
    ~CJ3DialogScreenshot();

    // Runs the dialog modally until its content shows at rest, saves it and
    // cancels it; false when the picture could not be written.
    bool Take(CWPFDialog& dialog, const std::string& pngFile);
    // Whether the window shows what it will show at rest: pending layout
    // done and no element of it moving.
    static bool AtRest(QWidget& window);
    // Writes each box that came up to err, after the program's name; true
    // when there was none.
    bool ReportBoxes(const std::string& program);

private:
    std::ostream& m_err;
    std::unique_ptr<CBoxAnswerer> m_boxes;
};
