#include "support/DialogDriver.h"

#include "support/GuiApplication.h"
#include "support/UnexpectedWindowWatch.h"
#include "vkwpfcpp/WPFDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace j3test {

namespace {

// Code with which the driver closes a dialog that its script left open.
constexpr int kDriverClosed = -99;

template <typename Widget>
Widget* FindAs(QDialog& window, const std::string& name)
{
    auto* widget = window.findChild<Widget*>(QString::fromStdString(name));
    if (!widget)
        ADD_FAILURE() << "no element \"" << name << "\" of the expected kind in the dialog";
    return widget;
}

// Where a person would click to hit a row: its first cell, scrolled into
// view; below the last row for -1.
bool RowPoint(QTreeView& view, int row, QPoint& point)
{
    if (row == -1) {
        const int rows = view.model() ? view.model()->rowCount() : 0;
        const int below = rows > 0 ? view.visualRect(view.model()->index(rows - 1, 0)).bottom() + 4 : 4;
        point = QPoint(4, below);
        return below < view.viewport()->height();
    }
    if (!view.model() || row < 0 || row >= view.model()->rowCount())
        return false;
    const QModelIndex index = view.model()->index(row, 0);
    view.scrollTo(index);
    point = view.visualRect(index).center();
    return true;
}

// Clicks (or double-clicks) a list or tree where a person would to hit what
// the target names: a row number or an item's text.
bool ClickView(QDialog& window, const std::string& name, const std::string& target,
               const std::function<bool(QTreeView&, QPoint&)>& where, Qt::KeyboardModifiers modifiers, bool twice)
{
    auto* view = FindAs<QTreeView>(window, name);
    QPoint point;
    if (!view || !where(*view, point)) {
        ADD_FAILURE() << target << " cannot be clicked in " << name;
        return false;
    }
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, point);
    if (twice)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, modifiers, point);
    return true;
}

bool ClickRowOf(QDialog& window, const std::string& list, int row, Qt::KeyboardModifiers modifiers, bool twice)
{
    return ClickView(window, list, "row " + std::to_string(row),
                     [row](QTreeView& view, QPoint& point) { return RowPoint(view, row, point); }, modifiers, twice);
}

// Where a keyboard's keys go: the widget of the window that has the focus.
QWidget* KeyTarget(QDialog& window)
{
    return window.focusWidget() ? window.focusWidget() : &window;
}

// Types like a keyboard, each key to whatever has the focus then: QTest
// knows keys for ASCII characters only, so an umlaut arrives as a key event
// that carries just its text, as from a German layout.
void TypeText(QDialog& window, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(KeyTarget(window), static_cast<char>(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, KeyTarget(window), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Gives the element the focus as a person does: a click into a text box,
// Tab until it has it for anything else.
bool GiveFocus(QDialog& window, QWidget& element)
{
    if (qobject_cast<QLineEdit*>(&element) || qobject_cast<QPlainTextEdit*>(&element))
        QTest::mouseClick(&element, Qt::LeftButton);
    for (int presses = 0; KeyTarget(window) != &element && presses <= window.findChildren<QWidget*>().size(); ++presses)
        QTest::keyClick(KeyTarget(window), Qt::Key_Tab);
    return KeyTarget(window) == &element;
}

}  // namespace

QWidget* DialogDriver::Find(QDialog& window, const std::string& name)
{
    return window.findChild<QWidget*>(QString::fromStdString(name));
}

DialogDriver& DialogDriver::Add(std::string description, Step step)
{
    m_steps.push_back({std::move(description), std::move(step)});
    return *this;
}

DialogDriver& DialogDriver::Type(const std::string& element, const std::string& text)
{
    return Add("type into " + element, [element, text](QDialog& window) {
        QWidget* edit = FindAs<QWidget>(window, element);
        if (!edit)
            return false;
        if (!qobject_cast<QLineEdit*>(edit) && !qobject_cast<QPlainTextEdit*>(edit)) {
            ADD_FAILURE() << element << " is no text box";
            return false;
        }
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(KeyTarget(window), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(KeyTarget(window), Qt::Key_Delete);
        TypeText(window, QString::fromUtf8(text.c_str()));
        return true;
    });
}

DialogDriver& DialogDriver::PressKey(const std::string& element, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    return Add("press a key in " + element, [element, key, modifiers](QDialog& window) {
        QWidget* widget = FindAs<QWidget>(window, element);
        if (!widget)
            return false;
        if (!GiveFocus(window, *widget)) {
            ADD_FAILURE() << element << " cannot be given the focus";
            return false;
        }
        QTest::keyClick(KeyTarget(window), key, modifiers);
        return true;
    });
}

DialogDriver& DialogDriver::PressReturn(const std::string& element)
{
    return PressKey(element, Qt::Key_Return);
}

DialogDriver& DialogDriver::PressEscape()
{
    return Add("press Escape", [](QDialog& window) {
        QTest::keyClick(KeyTarget(window), Qt::Key_Escape);
        return true;
    });
}

DialogDriver& DialogDriver::Click(const std::string& element)
{
    return Add("click " + element, [element](QDialog& window) {
        auto* button = FindAs<QAbstractButton>(window, element);
        if (!button)
            return false;
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        return true;
    });
}

DialogDriver& DialogDriver::ClickFrameButton(int buttonClass)
{
    return Click("VKFRAMEBUTTON_" + std::to_string(buttonClass));
}

DialogDriver& DialogDriver::ClickRow(const std::string& list, int row, Qt::KeyboardModifiers modifiers)
{
    return Add("click row " + std::to_string(row) + " of " + list, [list, row, modifiers](QDialog& window) {
        return ClickRowOf(window, list, row, modifiers, false);
    });
}

DialogDriver& DialogDriver::SelectRows(const std::string& list, const std::vector<int>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        ClickRow(list, rows[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
    return *this;
}

DialogDriver& DialogDriver::DoubleClickRow(const std::string& list, int row)
{
    return Add("double-click row " + std::to_string(row) + " of " + list,
               [list, row](QDialog& window) { return ClickRowOf(window, list, row, {}, true); });
}

DialogDriver& DialogDriver::ClickHeader(const std::string& list, int column)
{
    return Add("click header " + std::to_string(column) + " of " + list, [list, column](QDialog& window) {
        auto* view = FindAs<QTreeView>(window, list);
        if (!view)
            return false;
        QHeaderView* header = view->header();
        if (column < 0 || column >= header->count() || header->isSectionHidden(column)) {
            ADD_FAILURE() << "no visible column " << column << " in " << list;
            return false;
        }
        const QPoint point(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                           header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, point);
        return true;
    });
}

DialogDriver& DialogDriver::TriggerMenuItem(const std::string& action)
{
    return Add("choose menu item " + action, [action](QDialog& window) {
        auto* item = FindAs<QAction>(window, action);
        if (!item)
            return false;
        item->trigger();
        return true;
    });
}

DialogDriver& DialogDriver::CloseWindow()
{
    return Add("close the window", [](QDialog& window) {
        window.close();
        return true;
    });
}

DialogDriver& DialogDriver::Do(std::function<void()> action)
{
    return Add("run a test action", [action = std::move(action)](QDialog&) {
        action();
        return !::testing::Test::HasFatalFailure();
    });
}

int DialogDriver::Run(CWPFDialog& dialog)
{
    GuiApplication::Instance();
    m_bScriptRan = false;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QDialog* window = dialog.GetWindow();
        if (!window || !window->isVisible() || !dialog.IsContentRendered())
            return;
        poll.stop();
        PlayOn(*window);
    });
    poll.start();
    const int code = dialog.DoModal();
    poll.stop();
    return code;
}

void DialogDriver::PlayOn(QDialog& dialogWindow)
{
    m_bScriptRan = true;
    QDialog* window = &dialogWindow;
    UnexpectedWindowWatch::Expect(window);
    const auto forget = qScopeGuard([window] { UnexpectedWindowWatch::Forget(window); });
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window, 2000))
        ADD_FAILURE() << "the dialog did not become the active window";
    for (const SNamedStep& step : m_steps) {
        if (!window->isVisible()) {
            ADD_FAILURE() << "the dialog ended before the step: " << step.description;
            return;
        }
        if (!step.step(*window)) {
            ADD_FAILURE() << "step failed: " << step.description;
            break;
        }
        QApplication::processEvents();
    }
    if (window->isVisible()) {
        ADD_FAILURE() << "the dialog is still open after its script";
        window->done(kDriverClosed);
    }
}

} // namespace j3test
