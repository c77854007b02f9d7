#include "support/UnexpectedWindowWatch.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace j3test {

namespace {

// A test that opens a window acts on it within this time.
constexpr int kGraceMs = 3000;
// Code with which the watch closes a window nobody expected.
constexpr int kWatchClosed = -98;

std::vector<QPointer<QWidget>>& Expected()
{
    static std::vector<QPointer<QWidget>> windows;
    return windows;
}

QString ShownText(QWidget& window)
{
    if (auto* box = qobject_cast<QMessageBox*>(&window))
        return box->text();
    QStringList texts;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty())
            texts << label->text();
    return texts.join(QStringLiteral(" | "));
}

void CheckModal(QPointer<QWidget>& seen, QElapsedTimer& since)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != seen) {
        seen = modal;
        since.start();
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (!dialog || since.elapsed() < kGraceMs ||
        std::find(Expected().begin(), Expected().end(), modal) != Expected().end())
        return;
    ADD_FAILURE() << "a window nobody expected is open: \"" << dialog->windowTitle().toStdString() << "\": "
                  << ShownText(*dialog).toStdString();
    dialog->done(kWatchClosed);
}

}  // namespace

void UnexpectedWindowWatch::Start()
{
    static QPointer<QWidget> seen;
    static QElapsedTimer since;
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] { CheckModal(seen, since); });
    timer->start(100);
}

void UnexpectedWindowWatch::Expect(QWidget* window)
{
    Expected().emplace_back(window);
}

void UnexpectedWindowWatch::Forget(QWidget* window)
{
    std::erase_if(Expected(), [window](const QPointer<QWidget>& expected) { return !expected || expected == window; });
}

} // namespace j3test
