#pragma once
#include "vkbasis/CString.h"
#include "win32/Accelerators.h"

#include <map>
#include <memory>
#include <vector>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QShortcut;
class QWidget;

// The older dialog class of the interface library: a window with a row of
// speed buttons, each carrying a command number, and a keyboard accelerator
// table that turns keys into the same commands. Help, the help button,
// accelerators and the suite's hotkey (kVKHotkey) are left to the registered
// system-services object (gp_VKSysBase); a dialog in a program without one
// has no help, no accelerators, and its hotkey does nothing.
class CVKDialog {
public:
    // The help command; also the number of the help speed button.
    static constexpr unsigned int ID_HELP_COMMAND = 10025;

    // A speed button of the dialog.
    class CSpeedBtn {
    public:
        CSpeedBtn(unsigned int command, QPushButton* button);
        void SetEnabled(int enabled);
        bool IsEnabled() const;
        unsigned int GetCommand() const { return m_command; }
        QPushButton* GetButton() const { return m_pButton; }

    private:
        unsigned int m_command;
        QPushButton* m_pButton;
    };

    // acceleratorKind chooses the dialog's accelerator table (the services
    // know which table a kind stands for).
    explicit CVKDialog(QWidget* parent = nullptr, unsigned int acceleratorKind = 0);
    virtual ~CVKDialog();
    CVKDialog(const CVKDialog&) = delete;
    CVKDialog& operator=(const CVKDialog&) = delete;

    QDialog* GetWindow() const { return m_window.get(); }

    // Adds a speed button that runs command when clicked.
    CSpeedBtn* AddSpeedBtn(unsigned int command, const CString& text);
    // The speed button of that command, null when the dialog has none.
    CSpeedBtn* GetSpeedBtn(unsigned int command);

    // Asks the system services for the help file and topic of the name.
    void SetHelpName(const CString& name);
    // Asks the system services for the accelerator table of the kind and
    // binds its keys to the window.
    void LoadAccelerators(unsigned int kind);
    // The key sequences now bound, each with its command.
    const std::vector<std::pair<QKeySequence, unsigned int>>& GetShortcuts() const { return m_shortcutCommands; }

    // Runs a command (speed button or accelerator key). The help command asks
    // the system services for help; every command is kept in m_nLastCommand.
    virtual void OnCommand(unsigned int command);

    // Loads the accelerators of the dialog's kind unless a table is bound
    // already, lets the services disable the help button, then shows the
    // window modally and returns its result code.
    int DoModal();

    CString m_strHelpFile;
    CString m_strHelpTopic;
    HACCEL m_hAccel = nullptr;
    unsigned int m_nLastCommand = 0;

private:
    void BindAccelerators();
    void RunHotkey();

    unsigned int m_nAcceleratorKind;
    std::unique_ptr<QDialog> m_window;
    QHBoxLayout* m_pButtonRow = nullptr;
    std::map<unsigned int, std::unique_ptr<CSpeedBtn>> m_speedButtons;
    // The shortcuts are children of the window.
    std::vector<QShortcut*> m_shortcuts;
    std::vector<std::pair<QKeySequence, unsigned int>> m_shortcutCommands;
};
