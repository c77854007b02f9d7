#include "vkwpfcpp/WPFFluidWrapPanel.h"

#include "vkwpfcpp/WPFEventFilter.h"
#include "vkwpfcpp/WPFFlowLayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

void CWPFFluidWrapPanel::OnAttached()
{
    CWPFWrapPanel::OnAttached();
    Flow()->SetAnimated(true);
}

void CWPFFluidWrapPanel::OnChildAdded(QWidget* child)
{
    new CWPFEventFilter(
        child,
        [this, child](QEvent* event) {
            switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseMove:
            case QEvent::MouseButtonRelease:
                return OnChildMouseEvent(child, static_cast<QMouseEvent*>(event));
            case QEvent::KeyPress:
                return OnChildKey(child, *static_cast<QKeyEvent*>(event));
            default:
                return false;
            }
        },
        EventContext());
}

bool CWPFFluidWrapPanel::OnChildMouseEvent(QWidget* child, QMouseEvent* event)
{
    QWidget* panel = GetWidget();
    if (!panel || child->parentWidget() != panel)
        return false;
    const QPoint panelPoint = child->mapTo(panel, event->position().toPoint());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (event->button() == Qt::LeftButton) {
            m_pressed = child;
            m_pressPoint = panelPoint;
        }
        return false;
    case QEvent::MouseMove:
        if (m_pressed != child || !(event->buttons() & Qt::LeftButton))
            return false;
        if (!m_bDragging && (panelPoint - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
            return false;
        if (!m_bDragging)
            StartDrag(child);
        DragTo(child, panelPoint);
        return true;
    default:
        if (event->button() != Qt::LeftButton || m_pressed != child)
            return false;
        m_pressed = nullptr;
        if (m_bDragging) {
            m_bDragging = false;
            Flow()->SetHeldWidget(nullptr);
            Rearrange();
        }
        // A dragged button is no longer down, so the release is no click.
        return false;
    }
}

bool CWPFFluidWrapPanel::OnChildKey(QWidget* child, const QKeyEvent& key)
{
    const int step = key.key() == Qt::Key_Left ? -1 : key.key() == Qt::Key_Right ? 1 : 0;
    CWPFFlowLayout* flow = Flow();
    const int from = flow->indexOf(child);
    if (step == 0 || key.modifiers() != Qt::ControlModifier || from < 0 || from + step < 0 ||
        from + step >= flow->count())
        return false;
    flow->MoveItem(from, from + step);
    Rearrange();
    return true;
}

void CWPFFluidWrapPanel::StartDrag(QWidget* child)
{
    m_bDragging = true;
    m_grabOffset = m_pressPoint - child->pos();
    if (auto* button = qobject_cast<QAbstractButton*>(child))
        button->setDown(false);
    child->raise();
    Flow()->SetHeldWidget(child);
}

void CWPFFluidWrapPanel::DragTo(QWidget* child, const QPoint& panelPoint)
{
    child->move(panelPoint - m_grabOffset);
    CWPFFlowLayout* flow = Flow();
    const int target = flow->ItemAt(panelPoint);
    const int from = flow->indexOf(child);
    if (target >= 0 && target != from) {
        flow->MoveItem(from, target);
        Rearrange();
    }
}

void CWPFFluidWrapPanel::Rearrange()
{
    CWPFFlowLayout* flow = Flow();
    flow->setGeometry(flow->geometry());
}
