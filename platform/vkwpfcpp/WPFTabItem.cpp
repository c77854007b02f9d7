#include "vkwpfcpp/WPFTabItem.h"

#include "vkwpfcpp/WPFText.h"

#include <QStackedWidget>
#include <QTabWidget>

CString CWPFTabItem::GetHeader() const
{
    QTabWidget* tabs = Tabs();
    return tabs ? CWPFText::FromQString(tabs->tabText(tabs->indexOf(GetWidget()))) : CString();
}

void CWPFTabItem::SetHeader(const CString& header)
{
    if (QTabWidget* tabs = Tabs())
        tabs->setTabText(tabs->indexOf(GetWidget()), CWPFText::ToQString(header));
}

bool CWPFTabItem::GetIsSelected() const
{
    QTabWidget* tabs = Tabs();
    return tabs && tabs->currentWidget() == GetWidget();
}

void CWPFTabItem::Select()
{
    if (QTabWidget* tabs = Tabs())
        tabs->setCurrentWidget(GetWidget());
}

bool CWPFTabItem::CanAttach(QObject* element) const
{
    // A page's parent is the tab control's page stack.
    auto* stack = qobject_cast<QStackedWidget*>(element->parent());
    return element->isWidgetType() && stack && qobject_cast<QTabWidget*>(stack->parent());
}

QTabWidget* CWPFTabItem::Tabs() const
{
    QWidget* page = GetWidget();
    QObject* stack = page ? page->parent() : nullptr;
    return stack ? qobject_cast<QTabWidget*>(stack->parent()) : nullptr;
}
