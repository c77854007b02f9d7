#include "vkwpfcpp/WPFWndBase.h"

#include "vkwpfcpp/WPFDialog.h"
#include "vkwpfcpp/WPFText.h"

#include <QAction>
#include <QWidget>
#include <cmath>

CWPFWndBase::CWPFWndBase() = default;

CWPFWndBase::~CWPFWndBase()
{
    // The connections go first: they call into derived parts already gone.
    m_context.reset();
    if (m_bOwnsElement)
        DisposeElement(GetWidget());
}

bool CWPFWndBase::Attach(CWPFDialog* dialog, const CString& name)
{
    return Attach(dialog ? dialog->FindElement(name) : nullptr);
}

bool CWPFWndBase::Attach(CWPFWndBase* container, const CString& name)
{
    QObject* parent = container ? container->GetElement() : nullptr;
    return Attach(parent ? parent->findChild<QObject*>(CWPFText::ToQString(name)) : nullptr);
}

bool CWPFWndBase::Attach(QObject* element)
{
    if (!element || !CanAttach(element))
        return false;
    // A new binding ends the connections of the previous one.
    m_context = std::make_unique<QObject>();
    m_element = element;
    m_bOwnsElement = false;
    OnAttached();
    return true;
}

bool CWPFWndBase::AttachCreated(QWidget* element)
{
    if (!Attach(element)) {
        delete element;
        return false;
    }
    m_bOwnsElement = true;
    return true;
}

CString CWPFWndBase::GetName() const
{
    return m_element ? CWPFText::FromQString(m_element->objectName()) : CString();
}

void CWPFWndBase::SetIsEnabled(bool enabled)
{
    if (QWidget* widget = GetWidget())
        widget->setEnabled(enabled);
    else if (auto* action = qobject_cast<QAction*>(m_element.data()))
        action->setEnabled(enabled);
}

bool CWPFWndBase::GetIsEnabled() const
{
    if (QWidget* widget = GetWidget())
        return widget->isEnabled();
    if (auto* action = qobject_cast<QAction*>(m_element.data()))
        return action->isEnabled();
    return false;
}

void CWPFWndBase::SetVisibility(int visibility)
{
    const bool visible = visibility == VKVisible;
    if (QWidget* widget = GetWidget()) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(visibility == VKHidden);
        widget->setSizePolicy(policy);
        widget->setVisible(visible);
    } else if (auto* action = qobject_cast<QAction*>(m_element.data())) {
        action->setVisible(visible);
    }
}

int CWPFWndBase::GetVisibility() const
{
    if (QWidget* widget = GetWidget()) {
        if (!widget->isHidden())
            return VKVisible;
        return widget->sizePolicy().retainSizeWhenHidden() ? VKHidden : VKCollapsed;
    }
    if (auto* action = qobject_cast<QAction*>(m_element.data()))
        return action->isVisible() ? VKVisible : VKCollapsed;
    return VKCollapsed;
}

void CWPFWndBase::Focus()
{
    if (QWidget* widget = GetWidget())
        widget->setFocus(Qt::OtherFocusReason);
}

bool CWPFWndBase::HasFocus() const
{
    QWidget* widget = GetWidget();
    return widget && widget->hasFocus();
}

namespace {

// Fixes one extent of a widget in pixels; a negative or not-a-number size
// gives the widget its natural extent back.
void ApplyExtent(QWidget* widget, double size, Qt::Orientation orientation)
{
    if (!widget)
        return;
    const bool natural = std::isnan(size) || size < 0;
    const int minimum = natural ? 0 : static_cast<int>(std::lround(std::min(size, double(QWIDGETSIZE_MAX))));
    const int maximum = natural ? QWIDGETSIZE_MAX : minimum;
    if (orientation == Qt::Horizontal) {
        widget->setMinimumWidth(minimum);
        widget->setMaximumWidth(maximum);
    } else {
        widget->setMinimumHeight(minimum);
        widget->setMaximumHeight(maximum);
    }
}

} // namespace

void CWPFWndBase::SetWidth(double width)
{
    ApplyExtent(GetWidget(), width, Qt::Horizontal);
}

void CWPFWndBase::SetHeight(double height)
{
    ApplyExtent(GetWidget(), height, Qt::Vertical);
}

void CWPFWndBase::SetToolTip(const CString& toolTip)
{
    if (QWidget* widget = GetWidget()) {
        widget->setToolTip(CWPFText::ToQString(toolTip));
        widget->setAccessibleDescription(CWPFText::ToQString(toolTip));
    } else if (auto* action = qobject_cast<QAction*>(m_element.data()))
        action->setToolTip(CWPFText::ToQString(toolTip));
}

void CWPFWndBase::DisposeElement(QWidget* element)
{
    if (!element)
        return;
    // A handler may dispose of the very element whose event it serves, so the
    // element leaves the screen now and is deleted once that event is done.
    element->hide();
    element->deleteLater();
}

QWidget* CWPFWndBase::GetWidget() const
{
    return qobject_cast<QWidget*>(m_element.data());
}

bool CWPFWndBase::CanAttach(QObject* element) const
{
    return element->isWidgetType();
}

void CWPFWndBase::OnAttached()
{
}
