#pragma once
#include <QDialog>

class CWPFDialog;

// The Qt window of a CWPFDialog: hands the user's ways of leaving (Escape,
// the close button), F1 and the suite's hotkey to the dialog, and tells it
// when it first shows.
class CWPFDialogWindow : public QDialog {
public:
    CWPFDialogWindow(CWPFDialog& dialog, QWidget* parent);

    // Lets the next close through: the dialog has agreed to end.
    void CloseAgreed(int code);

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    CWPFDialog& m_dialog;
    bool m_bCloseAgreed = false;
    bool m_bShown = false;
};
