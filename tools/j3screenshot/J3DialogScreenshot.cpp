#include "j3screenshot/J3DialogScreenshot.h"

#include "vkwpfcpp/WPFDialog.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

bool CJ3DialogScreenshot::Take(CWPFDialog& dialog, const std::string& pngFile)
{
    bool saved = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QDialog* window = dialog.GetWindow();
        if (!window || !window->isVisible() || !dialog.IsContentRendered())
            return;
        poll.stop();
        QApplication::processEvents();
        saved = window->grab().save(QString::fromStdString(pngFile), "PNG");
        dialog.OnExit();
    });
    poll.start();
    dialog.DoModal();
    return saved;
}
