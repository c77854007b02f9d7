#include "vkwpfcpp/WPFWrapPanel.h"

#include "vkwpfcpp/WPFFlowLayout.h"
#include "vkwpfcpp/WPFText.h"

#include <QWidget>

CWPFWrapPanel::CWPFWrapPanel() = default;

CWPFWrapPanel::CWPFWrapPanel(const CString& name, bool /*horizontal*/)
{
    auto* panel = new QWidget;
    panel->setObjectName(CWPFText::ToQString(name));
    AttachCreated(panel);
}

void CWPFWrapPanel::Add(CWPFWndBase* child)
{
    CWPFFlowLayout* flow = Flow();
    QWidget* widget = child ? child->GetWidget() : nullptr;
    if (!flow || !widget)
        return;
    flow->InsertWidget(flow->count(), widget);
    widget->show();
    OnChildAdded(widget);
}

void CWPFWrapPanel::Remove(CWPFWndBase* child)
{
    CWPFFlowLayout* flow = Flow();
    QWidget* widget = child ? child->GetWidget() : nullptr;
    if (!flow || !widget || widget->parentWidget() != GetWidget())
        return;
    flow->removeWidget(widget);
    widget->hide();
    widget->setParent(nullptr);
}

void CWPFWrapPanel::ClearChildren()
{
    CWPFFlowLayout* flow = Flow();
    if (!flow)
        return;
    while (QLayoutItem* item = flow->takeAt(0)) {
        DisposeElement(item->widget());
        delete item;
    }
}

std::vector<CString> CWPFWrapPanel::GetItemNames() const
{
    std::vector<CString> names;
    if (CWPFFlowLayout* flow = Flow())
        for (int i = 0; i < flow->count(); ++i)
            if (QWidget* widget = flow->itemAt(i)->widget())
                names.push_back(CWPFText::FromQString(widget->objectName()));
    return names;
}

void CWPFWrapPanel::OnAttached()
{
    QWidget* panel = GetWidget();
    if (!panel->layout())
        new CWPFFlowLayout(panel);
}

CWPFFlowLayout* CWPFWrapPanel::Flow() const
{
    QWidget* panel = GetWidget();
    return panel ? dynamic_cast<CWPFFlowLayout*>(panel->layout()) : nullptr;
}

void CWPFWrapPanel::OnChildAdded(QWidget* /*child*/)
{
}
