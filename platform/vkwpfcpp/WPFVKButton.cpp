#include "vkwpfcpp/WPFVKButton.h"

#include "vkwpfcpp/WPFImages.h"
#include "vkwpfcpp/WPFRoutedEvent.h"
#include "vkwpfcpp/WPFText.h"

#include <QAbstractButton>
#include <QToolButton>

CWPFVKButton::CWPFVKButton() = default;

CWPFVKButton::CWPFVKButton(const CString& name, int buttonClass, int orientation, const CString& text)
{
    AttachCreated(NewTile(name, buttonClass, orientation));
    SetText(text);
}

QAbstractButton* CWPFVKButton::NewTile(const CString& name, int /*buttonClass*/, int orientation)
{
    m_bPlainText = true;
    auto* button = new QToolButton;
    button->setObjectName(CWPFText::ToQString(name));
    button->setAutoRaise(true);
    button->setToolButtonStyle(orientation == VKOrientationVertical ? Qt::ToolButtonTextUnderIcon
                                                                    : Qt::ToolButtonTextBesideIcon);
    return button;
}

CString CWPFVKButton::GetText() const
{
    QAbstractButton* button = Button();
    if (!button)
        return CString();
    QString text = button->text();
    if (m_bPlainText)
        text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return CWPFText::FromQString(text);
}

void CWPFVKButton::SetText(const CString& text)
{
    QAbstractButton* button = Button();
    if (!button)
        return;
    QString shown = CWPFText::ToQString(text);
    if (m_bPlainText) {
        // Marked up, so that a name like "<Bilder>" is never taken for markup.
        button->setToolTip(QStringLiteral("<span>%1</span>").arg(shown.toHtmlEscaped()));
        button->setAccessibleName(shown);
        button->setAccessibleDescription(shown);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    button->setText(shown);
}

void CWPFVKButton::SetImage(const CString& name)
{
    if (QAbstractButton* button = Button())
        button->setIcon(CWPFImages::Find(m_strModule, name));
}

void CWPFVKButton::SetImageSize(int size)
{
    if (QAbstractButton* button = Button())
        button->setIconSize(QSize(size, size));
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
