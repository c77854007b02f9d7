#include "vkwpfcpp/WPFVKButton.h"

#include "vkwpfcpp/WPFRoutedEvent.h"
#include "vkwpfcpp/WPFText.h"

#include <QAbstractButton>

CString CWPFVKButton::GetText() const
{
    QAbstractButton* button = Button();
    return button ? CWPFText::FromQString(button->text()) : CString();
}

void CWPFVKButton::SetText(const CString& text)
{
    if (QAbstractButton* button = Button())
        button->setText(CWPFText::ToQString(text));
}

void CWPFVKButton::Click()
{
    if (QAbstractButton* button = Button())
        button->click();
}

void CWPFVKButton::DoAddOnClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler)
{
    m_onClick.Add(handler);
}

bool CWPFVKButton::CanAttach(QObject* element) const
{
    return qobject_cast<QAbstractButton*>(element) != nullptr;
}

void CWPFVKButton::OnAttached()
{
    QObject::connect(Button(), &QAbstractButton::clicked, EventContext(), [this] {
        CWPFRoutedEvent event(this);
        m_onClick.Raise(event);
    });
}

QAbstractButton* CWPFVKButton::Button() const
{
    return qobject_cast<QAbstractButton*>(GetElement());
}
