#pragma once
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// The one progress box of the process, behind the J3...ProgressBox calls
// (msgbox/Boxes.h). It tracks whether a box is open apart from its window,
// so that an answerer can run the calls without showing anything.
class CProgressBox {
public:
    static CProgressBox& Instance();

    // showWindow false: only the state is kept (an answerer is installed).
    void Open(QWidget* parent, const QString& text, bool withCancel, bool showWindow);
    void SetText(const QString& text);
    // Returns false when no box is open or the user cancelled it.
    bool Update(int position, int total);
    void Close();

    bool IsOpen() const { return m_open; }
    // The window while one is shown (null otherwise), for looking at it.
    QProgressDialog* Window() const { return m_window; }

private:
    CProgressBox() = default;

    QPointer<QProgressDialog> m_window; // Qt deletes it with its parent
    bool m_open = false;
};
