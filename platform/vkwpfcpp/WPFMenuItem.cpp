#include "vkwpfcpp/WPFMenuItem.h"

#include "vkwpfcpp/WPFRoutedEvent.h"
#include "vkwpfcpp/WPFText.h"

#include <QAction>

CString CWPFMenuItem::GetHeader() const
{
    QAction* action = Action();
    return action ? CWPFText::FromQString(action->text()) : CString();
}

void CWPFMenuItem::SetHeader(const CString& header)
{
    if (QAction* action = Action())
        action->setText(CWPFText::ToQString(header));
}

void CWPFMenuItem::Click()
{
    if (QAction* action = Action())
        action->trigger();
}

void CWPFMenuItem::DoAddOnClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler)
{
    m_onClick.Add(handler);
}

bool CWPFMenuItem::CanAttach(QObject* element) const
{
    return qobject_cast<QAction*>(element) != nullptr;
}

void CWPFMenuItem::OnAttached()
{
    QObject::connect(Action(), &QAction::triggered, EventContext(), [this] {
        CWPFRoutedEvent event(this);
        m_onClick.Raise(event);
    });
}

QAction* CWPFMenuItem::Action() const
{
    return qobject_cast<QAction*>(GetElement());
}
