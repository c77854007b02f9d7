#include "vkwpfcpp/WPFDoubleClickWatch.h"

#include "vkwpfcpp/WPFEventFilter.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFMouseButtonEvent.h"

#include <QAbstractItemView>
#include <QMouseEvent>

namespace {

EVKMouseButton MouseButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return VKMouseButtonRight;
    case Qt::MiddleButton:
        return VKMouseButtonMiddle;
    default:
        return VKMouseButtonLeft;
    }
}

} // namespace

void CWPFDoubleClickWatch::Install(QAbstractItemView* view, CWPFWndBase* source, CWPFEventList& handlers,
                                   QObject* context)
{
    new CWPFEventFilter(
        view->viewport(),
        [view, source, &handlers](QEvent* event) {
            if (event->type() != QEvent::MouseButtonDblClick)
                return false;
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = view->indexAt(mouse->position().toPoint());
            CWPFMouseButtonEvent doubleClick(source, MouseButtonOf(mouse->button()),
                                             index.isValid() ? index.row() : -1);
            handlers.Raise(doubleClick);
            return false;
        },
        context);
}
