#pragma once
#include <QString>
#include <Qt>
#include <functional>
#include <string>
#include <vector>

class CWPFDialog;
class QDialog;
class QWidget;

namespace j3test {

// Drives a modal dialog of the toolkit as a person would. The steps are
// collected first, then Run() calls DoModal() and, once the dialog shows
// and its content is rendered, plays them one after the other with real
// mouse and key events. Boxes that a step opens are answered by the
// CBoxAnswerer the test installed.
//
// Elements are named by their objectName (the markup's names, the frame
// buttons "VKFRAMEBUTTON_<class>", the notes "VKPOSTIT_<n>"). A step that
// cannot find its element, a step left over after the dialog ended and a
// dialog still open after the last step are test failures; the dialog is
// then closed so the test goes on.
class DialogDriver {
public:
    // Texts are UTF-8.
    // Keys go to the widget that has the focus, as a keyboard's do.
    // Clicks into a text box or note, selects all and types the text over it.
    DialogDriver& Type(const std::string& element, const std::string& text);
    // Clicks into the text box or tabs to the element, then presses the key.
    DialogDriver& PressKey(const std::string& element, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    DialogDriver& PressReturn(const std::string& element);
    DialogDriver& PressEscape();
    DialogDriver& Click(const std::string& element);
    DialogDriver& ClickFrameButton(int buttonClass);
    DialogDriver& ClickRow(const std::string& list, int row, Qt::KeyboardModifiers modifiers = {});
    // The first row by a plain click, the others with Ctrl held.
    DialogDriver& SelectRows(const std::string& list, const std::vector<int>& rows);
    // Row -1 double-clicks the free space below the rows.
    DialogDriver& DoubleClickRow(const std::string& list, int row);
    DialogDriver& ClickHeader(const std::string& list, int column);
    DialogDriver& TriggerMenuItem(const std::string& action);
    // The window's close button.
    DialogDriver& CloseWindow();
    // Runs a check or an action of the test between the steps.
    DialogDriver& Do(std::function<void()> action);

    // Runs the dialog with the steps; the result of DoModal().
    int Run(CWPFDialog& dialog);
    // Plays the steps on a window that is already shown, such as a dialog
    // that another dialog opened.
    void PlayOn(QDialog& window);
    // Whether the dialog showed and the steps were played.
    bool ScriptRan() const { return m_bScriptRan; }

    // The element of that name in the dialog's window; null when none.
    static QWidget* Find(QDialog& window, const std::string& name);

private:
    using Step = std::function<bool(QDialog&)>;  // false: the step failed
    DialogDriver& Add(std::string description, Step step);

    struct SNamedStep {
        std::string description;
        Step step;
    };
    std::vector<SNamedStep> m_steps;
    bool m_bScriptRan = false;
};

} // namespace j3test
