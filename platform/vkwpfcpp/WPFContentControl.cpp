#include "vkwpfcpp/WPFContentControl.h"

#include <QLayout>
#include <QScrollArea>
#include <QVBoxLayout>

bool CWPFContentControl::Add(CWPFWndBase* content)
{
    QWidget* host = GetWidget();
    QWidget* widget = content ? content->GetWidget() : nullptr;
    if (!host || !widget)
        return false;
    if (auto* scroller = qobject_cast<QScrollArea*>(host)) {
        // The scroll area must not delete an element its wrapper owns.
        if (QWidget* former = scroller->takeWidget())
            former->setParent(nullptr);
        scroller->setWidget(widget);
        widget->show();
        return true;
    }
    QLayout* layout = host->layout();
    if (!layout) {
        layout = new QVBoxLayout(host);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* former = item->widget())
            former->setParent(nullptr);
        delete item;
    }
    layout->addWidget(widget);
    widget->show();
    return true;
}
