#include "vkwpfcpp/WPFDialogWindow.h"

#include "vkgui/VKHotkey.h"
#include "vkwpfcpp/WPFDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

CWPFDialogWindow::CWPFDialogWindow(CWPFDialog& dialog, QWidget* parent) : QDialog(parent), m_dialog(dialog)
{
}

void CWPFDialogWindow::CloseAgreed(int code)
{
    m_bCloseAgreed = true;
    done(code);
}

void CWPFDialogWindow::reject()
{
    if (m_bCloseAgreed)
        QDialog::reject();
    else
        m_dialog.RequestCancel();
}

void CWPFDialogWindow::closeEvent(QCloseEvent* event)
{
    if (m_bCloseAgreed) {
        QDialog::closeEvent(event);
        return;
    }
    // The close button cancels like Escape; the dialog ends only if it
    // agrees, through EndDialog.
    event->ignore();
    m_dialog.RequestCancel();
}

void CWPFDialogWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        m_dialog.RunFrameButton(9);
        return;
    }
    if (event->keyCombination() == kVKHotkey) {
        m_dialog.RunHotkey();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CWPFDialogWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_bShown)
        return;
    m_bShown = true;
    // The content counts as rendered once the first paint had its turn.
    QTimer::singleShot(0, this, [this] { m_dialog.ContentRendered(); });
}
