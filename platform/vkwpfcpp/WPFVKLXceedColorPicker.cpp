#include "vkwpfcpp/WPFVKLXceedColorPicker.h"

#include "vkwpfcpp/VKColorRef.h"
#include "vkwpfcpp/WPFApplication.h"

#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace {

QIcon Swatch(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(90, 90, 90));
    if (color.isValid()) {
        painter.setBrush(color);
        painter.drawRect(0, 0, 15, 15);
    } else {
        // No colour: an empty box crossed out.
        painter.setBrush(Qt::white);
        painter.drawRect(0, 0, 15, 15);
        painter.setPen(QPen(QColor(200, 40, 40), 2));
        painter.drawLine(2, 13, 13, 2);
    }
    return QIcon(pixmap);
}

} // namespace

void CWPFVKLXceedColorPicker::SetSelectedColor(std::uint32_t colorRef)
{
    m_nColor = CVKColorRef::IsColor(colorRef) ? colorRef : CVKColorRef::NoColor;
    ShowColor();
}

void CWPFVKLXceedColorPicker::SetDefaultColor(std::uint32_t colorRef)
{
    m_nDefault = colorRef;
    QToolButton* button = Button();
    const QString noneName = button ? button->objectName() + QStringLiteral("_KeineFarbe") : QString();
    if (QAction* none = button ? button->findChild<QAction*>(noneName) : nullptr) {
        none->setIcon(Swatch(CVKColorRef::ToQColor(colorRef)));
        none->setText(CVKColorRef::IsColor(colorRef) ? QStringLiteral("Standardfarbe") : QStringLiteral("Keine Farbe"));
    }
    ShowColor();
}

bool CWPFVKLXceedColorPicker::CanAttach(QObject* element) const
{
    return qobject_cast<QToolButton*>(element) != nullptr;
}

void CWPFVKLXceedColorPicker::OnAttached()
{
    QToolButton* button = Button();
    const QString name = button->objectName();
    auto* menu = new QMenu(button);
    // The menu goes with the binding, so a second Attach does not stack menus.
    QObject::connect(EventContext(), &QObject::destroyed, menu, &QObject::deleteLater);
    auto add = [&](const QString& suffix, const QIcon& icon, const QString& text, std::uint32_t colorRef) {
        QAction* action = menu->addAction(icon, text);
        action->setObjectName(name + suffix);
        QObject::connect(action, &QAction::triggered, EventContext(), [this, colorRef] { SetSelectedColor(colorRef); });
    };
    add(QStringLiteral("_KeineFarbe"), Swatch(QColor()), QStringLiteral("Keine Farbe"), CVKColorRef::NoColor);
    menu->addSeparator();
    for (int i = 0; i < CWPFApplication::MarkerSlots; ++i) {
        const std::uint32_t colorRef = CWPFApplication::GetToolkitColor(CWPFApplication::FirstMarkerSlot + i);
        add(QStringLiteral("_Farbe%1").arg(i), Swatch(CVKColorRef::ToQColor(colorRef)),
            QStringLiteral("Farbe %1").arg(i + 1), colorRef);
    }
    menu->addSeparator();
    QAction* more = menu->addAction(QStringLiteral("Weitere Farben …"));
    more->setObjectName(name + QStringLiteral("_WeitereFarben"));
    QObject::connect(more, &QAction::triggered, EventContext(), [this, button] {
        const QColor chosen =
            QColorDialog::getColor(CVKColorRef::ToQColor(m_nColor), button->window(), QStringLiteral("Farbe wählen"));
        if (chosen.isValid())
            SetSelectedColor(CVKColorRef::FromQColor(chosen));
    });
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ShowColor();
}

QToolButton* CWPFVKLXceedColorPicker::Button() const
{
    return qobject_cast<QToolButton*>(GetElement());
}

void CWPFVKLXceedColorPicker::ShowColor()
{
    QToolButton* button = Button();
    if (!button)
        return;
    const QColor color = CVKColorRef::ToQColor(m_nColor);
    const QColor standard = CVKColorRef::ToQColor(m_nDefault);
    button->setIcon(Swatch(color.isValid() ? color : standard));
    if (color.isValid())
        button->setText(color.name().toUpper());
    else
        button->setText(standard.isValid() ? QStringLiteral("Standard") : QStringLiteral("keine"));
    // A name given in the markup says which colour; the colour itself is read out as its description.
    button->setAccessibleDescription(button->text());
}
