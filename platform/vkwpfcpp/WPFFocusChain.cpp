#include "vkwpfcpp/WPFFocusChain.h"

#include <QWidget>
#include <vector>

namespace {

// A widget Tab can stop at. Widgets that take no focus cannot be ordered:
// the toolkit leaves the order alone when one of the two takes none.
bool IsStop(const QWidget& widget)
{
    return widget.focusPolicy() != Qt::NoFocus && !widget.focusProxy();
}

bool IsInside(const QWidget& widget, const QWidget& element)
{
    return &widget == &element || element.isAncestorOf(&widget);
}

} // namespace

void CWPFFocusChain::PlaceBefore(QWidget& next, QWidget& element)
{
    QWidget* stop = &next;
    while (!IsStop(*stop) || IsInside(*stop, element)) {
        stop = stop->nextInFocusChain();
        if (stop == &next || stop->isWindow())
            return; // nothing after it: element stays at the end
    }
    std::vector<QWidget*> moved;
    QWidget* widget = &element;
    do {
        if (IsInside(*widget, element) && widget->focusPolicy() != Qt::NoFocus)
            moved.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != &element);
    if (moved.empty())
        return;
    QWidget::setTabOrder(stop, moved.front());
    QWidget::setTabOrder(moved.front(), stop);
    for (std::size_t i = 1; i < moved.size(); ++i)
        QWidget::setTabOrder(moved[i - 1], moved[i]);
}
