#pragma once

class QDialog;

// Runs a window modally and, once it closes, makes the window it was opened
// from active again with its focus. Left to the window manager, a box that
// closes together with its dialog can leave no window active, and the
// keyboard goes nowhere.
class CModalRun {
public:
    static int Exec(QDialog& dialog);
};
