#pragma once
#include "vkwpfcpp/WPFWrapPanel.h"

#include <QPoint>
#include <QPointer>

class QEvent;
class QKeyEvent;
class QMouseEvent;

// A wrap panel whose children the user puts into a new order by dragging one
// with the left mouse button: the dragged child follows the pointer, the
// others glide aside to make room where it would land, and on release it
// glides into that place. A press and release without moving stays a click.
class CWPFFluidWrapPanel : public CWPFWrapPanel {
public:
    // The names of the children in the order the user sees them.
    std::vector<CString> GetFluidItemNames() const { return GetItemNames(); }

protected:
    void OnAttached() override;
    void OnChildAdded(QWidget* child) override;

private:
    bool OnChildMouseEvent(QWidget* child, QMouseEvent* event);
    // Ctrl+Left and Ctrl+Right move the child one place, as a drag does.
    bool OnChildKey(QWidget* child, const QKeyEvent& key);
    void StartDrag(QWidget* child);
    void DragTo(QWidget* child, const QPoint& panelPoint);
    void Rearrange();

    QPointer<QWidget> m_pressed;
    QPoint m_pressPoint; // in the panel
    QPoint m_grabOffset; // pointer minus the dragged child's corner
    bool m_bDragging = false;
};
