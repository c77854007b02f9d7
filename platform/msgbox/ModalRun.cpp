#include "msgbox/ModalRun.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

int CModalRun::Exec(QDialog& dialog)
{
    QWidget* parent = dialog.parentWidget();
    const QPointer<QWidget> owner = parent ? parent->window() : QApplication::activeWindow();
    const int result = dialog.exec();
    if (owner && owner != &dialog && owner->isVisible()) {
        owner->raise();
        owner->activateWindow();
    }
    return result;
}
