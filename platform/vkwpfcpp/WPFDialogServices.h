#pragma once
#include "vkbasis/CString.h"

class CWPFDialog;

// What the toolkit's dialogs leave to the program's system services: help
// files and topics, the help command and the help button. The program
// registers one object with CWPFApplication::SetDialogServices; without one
// a dialog has no help.
class CWPFDialogServices {
public:
    virtual ~CWPFDialogServices() = default;

    // Sets the dialog's help file and topic (SetHelpFile, SetHelpTopic) from
    // its help name.
    virtual void SetHelpName(CWPFDialog* dialog, const CString& name) = 0;
    // Shows the dialog's help; context 0 is the dialog's own topic.
    virtual long OnCommandHelp(CWPFDialog* dialog, unsigned int command, long context) = 0;
    // Called once the dialog's frame exists: disables the help button when
    // the dialog has no help.
    virtual void DisableHelpButton(CWPFDialog* dialog) = 0;
};
