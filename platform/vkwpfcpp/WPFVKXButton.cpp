#include "vkwpfcpp/WPFVKXButton.h"

#include "vkwpfcpp/WPFEventFilter.h"
#include "vkwpfcpp/WPFRoutedEvent.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QToolButton>

CWPFVKXButton::CWPFVKXButton() = default;

CWPFVKXButton::CWPFVKXButton(const CString& name, int buttonClass, int orientation, const CString& text)
{
    AttachCreated(NewTile(name, buttonClass, orientation));
    SetText(text);
}

CWPFVKXButton::~CWPFVKXButton()
{
    // The remove part lives on the button, which may outlive this wrapper; its
    // own click may be what ends the wrapper.
    DisposeElement(m_removePart.data());
}

void CWPFVKXButton::ClickX()
{
    if (m_removePart && m_removePart->isVisible())
        m_removePart->click();
}

void CWPFVKXButton::DoAddOnClickX(CWPFEventHandlerOf<CWPFRoutedEvent>* handler)
{
    m_onClickX.Add(handler);
}

void CWPFVKXButton::SetShowX(bool show)
{
    m_bShowX = show;
    if (m_removePart)
        m_removePart->setVisible(show);
}

void CWPFVKXButton::OnAttached()
{
    CWPFVKButton::OnAttached();
    delete m_removePart.data();
    QAbstractButton* button = Button();
    // A raised tile: the remove part in its corner sits on it, rather than
    // adrift beside the image in a wide invisible button.
    if (auto* tile = qobject_cast<QToolButton*>(button))
        tile->setAutoRaise(false);
    m_removePart = new QToolButton(button);
    m_removePart->setObjectName(button->objectName() + QStringLiteral("_X"));
    m_removePart->setText(QStringLiteral("\u00D7"));
    m_removePart->setToolTip(QStringLiteral("Entfernen (Entf)"));
    m_removePart->setAccessibleName(QStringLiteral("Entfernen"));
    m_removePart->setAutoRaise(true);
    m_removePart->setFocusPolicy(Qt::NoFocus);
    m_removePart->setVisible(m_bShowX);
    QObject::connect(m_removePart.data(), &QToolButton::clicked, EventContext(), [this] {
        CWPFRoutedEvent event(this);
        m_onClickX.Raise(event);
    });
    // The remove part follows the button's top right corner; Delete on the
    // button presses it, for those who work without a mouse.
    new CWPFEventFilter(
        button,
        [this](QEvent* event) {
            if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
                PlaceRemovePart();
            if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Delete)
                return false;
            ClickX();
            return true;
        },
        EventContext());
    PlaceRemovePart();
}

void CWPFVKXButton::PlaceRemovePart()
{
    QAbstractButton* button = Button();
    if (!button || !m_removePart)
        return;
    const int side = std::max(14, button->fontMetrics().height());
    m_removePart->setFixedSize(side, side);
    m_removePart->move(button->width() - side - 1, 1);
    m_removePart->raise();
}
