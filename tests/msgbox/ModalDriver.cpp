#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace msgboxtest {

namespace {

void PollForModal(std::function<void(QWidget*)> act, int attemptsLeft)
{
    QTimer::singleShot(10, [act = std::move(act), attemptsLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
            return;
        }
        if (attemptsLeft == 0) {
            ADD_FAILURE() << "no modal window appeared";
            return;
        }
        PollForModal(std::move(act), attemptsLeft - 1);
    });
}

} // namespace

void ActOnNextModal(std::function<void(QWidget*)> act)
{
    PollForModal(std::move(act), 300);
}

void ClickButton(QWidget* window, const char* buttonText)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->text() == QString::fromUtf8(buttonText)) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button \"" << buttonText << "\" in " << window->windowTitle().toStdString();
    window->close();  // so that the box under test returns
}

} // namespace msgboxtest
