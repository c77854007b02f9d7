#include "vkwpfcpp/WPFIndexMarkerTab.h"

#include "vkwpfcpp/WPFApplication.h"
#include "vkwpfcpp/WPFText.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kSlant = 5; // how far a tab's sides lean in towards its top
constexpr int kTextPadding = 9;
constexpr int kMaxTextWidth = 140;

// Black or white, whichever reads better on the colour.
QColor TextColorOn(const QColor& color)
{
    const double luminance = 0.299 * color.redF() + 0.587 * color.greenF() + 0.114 * color.blueF();
    return luminance > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

CWPFIndexMarkerTab::CWPFIndexMarkerTab(const QString& text, const QString& toolTip, int colorSlot, QWidget* parent)
    : QAbstractButton(parent), m_nColorSlot(colorSlot)
{
    setText(CWPFText::Bounded(text.trimmed()));
    setToolTip(CWPFText::Bounded(toolTip));
    // The tabs stay out of the keyboard's way through the dialog.
    setFocusPolicy(Qt::NoFocus);
}

QSize CWPFIndexMarkerTab::sizeHint() const
{
    const int textWidth = std::min(fontMetrics().horizontalAdvance(text()), kMaxTextWidth);
    return QSize(std::max(textWidth + 2 * kTextPadding + 2 * kSlant, 4 * kSlant + 8), fontMetrics().height() + 8);
}

void CWPFIndexMarkerTab::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool placeHolder = m_nColorSlot < 0;
    const QColor slotColor = placeHolder ? QColor() : CWPFApplication::GetVKColor(m_nColorSlot);
    const QColor color = slotColor.isValid() ? slotColor : palette().color(QPalette::Button);
    // A tab of a paper card: sides leaning in, rounded top corners, open at
    // the bottom where it joins the card.
    const QRectF tab = QRectF(rect()).adjusted(0.5, 0.5, -0.5, 0);
    QPainterPath path;
    path.moveTo(tab.left(), tab.bottom());
    path.lineTo(tab.left() + kSlant - 2, tab.top() + 3);
    path.quadTo(tab.left() + kSlant - 0.5, tab.top(), tab.left() + kSlant + 3, tab.top());
    path.lineTo(tab.right() - kSlant - 3, tab.top());
    path.quadTo(tab.right() - kSlant + 0.5, tab.top(), tab.right() - kSlant + 2, tab.top() + 3);
    path.lineTo(tab.right(), tab.bottom());
    painter.setPen(placeHolder ? QPen(palette().color(QPalette::Mid), 1, Qt::DashLine) : QPen(color.darker(150), 1));
    painter.setBrush(placeHolder ? palette().color(QPalette::Window) : color);
    painter.drawPath(path);
    painter.setPen(placeHolder ? palette().color(QPalette::WindowText) : TextColorOn(color));
    const QRect textRect = rect().adjusted(kSlant + kTextPadding / 2, 2, -kSlant - kTextPadding / 2, 0);
    painter.drawText(textRect, Qt::AlignCenter, fontMetrics().elidedText(text(), Qt::ElideRight, textRect.width()));
}
