#include "msgbox/ProgressBox.h"

#include "msgbox/BoxAnswerer.h"
#include "msgbox/Boxes.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>
#include <utility>

CProgressBox& CProgressBox::Instance()
{
    static CProgressBox s_box;
    return s_box;
}

void CProgressBox::Open(QWidget* parent, const QString& text, bool withCancel, bool showWindow)
{
    Close();
    m_open = true;
    if (!showWindow)
        return;
    m_window = new QProgressDialog(parent);
    m_window->setWindowTitle(QStringLiteral("Bitte warten"));
    m_window->setLabelText(text);
    m_window->setCancelButtonText(withCancel ? QStringLiteral("Abbrechen") : QString());
    // The caller works on the interface thread between the calls: the box must
    // neither wait for a delay nor close or reset itself at the end of the bar.
    m_window->setMinimumDuration(0);
    m_window->setAutoClose(false);
    m_window->setAutoReset(false);
    m_window->setWindowModality(Qt::WindowModal);
    m_window->setMinimumWidth(360);
    m_window->show();
    QCoreApplication::processEvents();
}

void CProgressBox::SetText(const QString& text)
{
    if (m_window == nullptr)
        return;
    m_window->setLabelText(text);
    QCoreApplication::processEvents();
}

bool CProgressBox::Update(int position, int total)
{
    if (!m_open)
        return false;
    if (m_window == nullptr)
        return true;
    const int maximum = std::max(total, 0);
    m_window->setRange(0, maximum);
    // A window-modal progress dialog processes events itself when its value changes.
    m_window->setValue(std::clamp(position, 0, maximum));
    return !m_window->wasCanceled();
}

void CProgressBox::Close()
{
    m_open = false;
    delete m_window.data();
}

namespace {

void RecordProgress(EBoxKind kind, std::string text, int answer, int position = 0, int total = 0)
{
    if (CBoxAnswerer* answerer = CBoxAnswerer::Installed())
        answerer->Record({kind, {}, std::move(text), answer, position, total});
}

} // namespace

int J3OpenProgressBox(QWidget* parent, const CBoxText& text, int withCancel, unsigned int /*style*/, int position,
                      int total)
{
    CBoxAnswerer* answerer = CBoxAnswerer::Installed();
    const bool available = answerer != nullptr ? answerer->ProgressAvailable()
                                               : qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    if (available) {
        CProgressBox::Instance().Open(parent, text.ToQString(), withCancel != 0, answerer == nullptr);
        CProgressBox::Instance().Update(position, total);
    }
    RecordProgress(EBoxKind::ProgressOpen, text.ToUtf8(), available ? 1 : 0, position, total);
    return available ? 1 : 0;
}

void J3SetProgressBoxText(const CBoxText& text, int, int)
{
    CProgressBox::Instance().SetText(text.ToQString());
    RecordProgress(EBoxKind::ProgressText, text.ToUtf8(), 0);
}

int J3UpdateProgressBox2(int position, int total)
{
    const int goingOn = CProgressBox::Instance().Update(position, total) ? 1 : 0;
    RecordProgress(EBoxKind::ProgressUpdate, {}, goingOn, position, total);
    return goingOn;
}

void J3CloseProgressBox()
{
    CProgressBox::Instance().Close();
    RecordProgress(EBoxKind::ProgressClose, {}, 0);
}
