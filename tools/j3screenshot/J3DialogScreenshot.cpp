#include "j3screenshot/J3DialogScreenshot.h"

#include "msgbox/BoxAnswerer.h"
#include "vkwpfcpp/WPFDialog.h"

#include <QAbstractAnimation>
#include <QApplication>
#include <QDialog>
#include <QTimer>

CJ3DialogScreenshot::CJ3DialogScreenshot(std::ostream& err) : m_err(err), m_boxes(std::make_unique<CBoxAnswerer>())
{
}

CJ3DialogScreenshot::~CJ3DialogScreenshot() = default;

bool CJ3DialogScreenshot::Take(CWPFDialog& dialog, const std::string& pngFile)
{
    bool saved = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QDialog* window = dialog.GetWindow();
        if (!window || !window->isVisible() || !dialog.IsContentRendered() || !AtRest(*window))
            return;
        poll.stop();
        saved = window->grab().save(QString::fromStdString(pngFile), "PNG");
        dialog.OnExit();
    });
    poll.start();
    dialog.DoModal();
    return saved;
}

bool CJ3DialogScreenshot::AtRest(QWidget& window)
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    for (const QAbstractAnimation* animation : window.findChildren<QAbstractAnimation*>())
        if (animation->state() == QAbstractAnimation::Running)
            return false;
    return true;
}

bool CJ3DialogScreenshot::ReportBoxes(const std::string& program)
{
    bool none = true;
    for (const SBoxRecord& box : m_boxes->Records()) {
        if (box.kind >= EBoxKind::ProgressOpen)
            continue;
        m_err << program << ": Meldung beim Bild (" << box.kind << "): " << box.caption << ": " << box.text << '\n';
        none = false;
    }
    return none;
}
