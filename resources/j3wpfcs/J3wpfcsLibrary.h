#pragma once
#include <QString>

// The resource library "j3wpfcs": the dialogs' markup, stored under the
// markup keys ("jt/j3dialoge/DiaDBFileDialog" is the file
// ":/j3wpfcs/jt/j3dialoge/DiaDBFileDialog.ui").
class CJ3wpfcsLibrary {
public:
    // The resource folder of the markup. Calling it also guarantees that the
    // library is loaded, so its resources are registered before a dialog
    // looks for them.
    static QString ResourceRoot();
};
