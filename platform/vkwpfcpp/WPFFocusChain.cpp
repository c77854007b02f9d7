#include "vkwpfcpp/WPFFocusChain.h"

#include <QWidget>
#include <vector>

void CWPFFocusChain::PlaceAfter(QWidget& anchor, QWidget& element)
{
    // Widgets that hand their focus on are never stops of their own; moving
    // them would move their proxies' neighbours with them.
    std::vector<QWidget*> moved;
    QWidget* widget = &element;
    do {
        if ((widget == &element || element.isAncestorOf(widget)) && !widget->focusProxy())
            moved.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != &element);
    QWidget* previous = &anchor;
    for (QWidget* next : moved) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}
