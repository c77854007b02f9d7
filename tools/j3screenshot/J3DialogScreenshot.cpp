#include "j3screenshot/J3DialogScreenshot.h"

#include "vkwpfcpp/WPFDialog.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <algorithm>

void CJ3DialogScreenshot::ChoosePlatform(const std::vector<std::string>& args)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    const bool pictureOnly = std::find(args.begin(), args.end(), "--screenshot") != args.end();
    const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (pictureOnly || noDisplay)
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}

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
