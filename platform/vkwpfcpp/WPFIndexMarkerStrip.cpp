#include "vkwpfcpp/WPFIndexMarkerStrip.h"

#include "vkwpfcpp/WPFApplication.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace {

constexpr int kTabGap = 3;
constexpr int kSlant = 5;        // how far a tab's sides lean in towards its top
constexpr int kTextPadding = 9;
constexpr int kEdgeHeight = 3;   // the card below the tabs
constexpr int kMaxTextWidth = 140;

// Black or white, whichever reads better on the colour.
QColor TextColorOn(const QColor& color)
{
    const double luminance = 0.299 * color.redF() + 0.587 * color.greenF() + 0.114 * color.blueF();
    return luminance > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

CWPFIndexMarkerStrip::CWPFIndexMarkerStrip(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CWPFIndexMarkerStrip::AddMarker(const QString& text, const QString& toolTip, int colorSlot)
{
    m_markers.push_back({text, toolTip, colorSlot, true});
    Changed();
}

void CWPFIndexMarkerStrip::SetMarkerVisible(int marker, bool visible)
{
    if (marker < 0 || marker >= MarkerCount() || m_markers[marker].visible == visible)
        return;
    m_markers[marker].visible = visible;
    Changed();
}

bool CWPFIndexMarkerStrip::IsMarkerVisible(int marker) const
{
    return marker >= 0 && marker < MarkerCount() && m_markers[marker].visible;
}

void CWPFIndexMarkerStrip::SetClickHandler(std::function<void(int)> handler, bool handCursor)
{
    m_onClick = std::move(handler);
    m_bHandCursor = handCursor && m_onClick;
}

int CWPFIndexMarkerStrip::CaptionWidth() const
{
    return m_caption.isEmpty() ? 0 : fontMetrics().horizontalAdvance(m_caption) + 2 * kTextPadding;
}

int CWPFIndexMarkerStrip::TabWidth(const SMarker& marker) const
{
    const int text = std::min(fontMetrics().horizontalAdvance(marker.text.trimmed()), kMaxTextWidth);
    return std::max(text + 2 * kTextPadding + 2 * kSlant, 4 * kSlant + 8);
}

int CWPFIndexMarkerStrip::TabHeight() const
{
    return fontMetrics().height() + 8;
}

QRect CWPFIndexMarkerStrip::MarkerRect(int marker) const
{
    if (!IsMarkerVisible(marker))
        return QRect();
    int x = CaptionWidth();
    for (int i = 0; i < marker; ++i)
        if (m_markers[i].visible)
            x += TabWidth(m_markers[i]) + kTabGap;
    return QRect(x, 1, TabWidth(m_markers[marker]), TabHeight());
}

int CWPFIndexMarkerStrip::MarkerAt(const QPoint& point) const
{
    for (int i = 0; i < MarkerCount(); ++i)
        if (MarkerRect(i).contains(point))
            return i;
    return -1;
}

QSize CWPFIndexMarkerStrip::sizeHint() const
{
    int width = CaptionWidth();
    for (const SMarker& marker : m_markers)
        if (marker.visible)
            width += TabWidth(marker) + kTabGap;
    return QSize(width, TabHeight() + kEdgeHeight + 1);
}

QSize CWPFIndexMarkerStrip::minimumSizeHint() const
{
    return QSize(0, TabHeight() + kEdgeHeight + 1);
}

void CWPFIndexMarkerStrip::Changed()
{
    updateGeometry();
    update();
}

bool CWPFIndexMarkerStrip::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int marker = MarkerAt(help->pos());
    if (marker < 0 || m_markers[marker].toolTip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), m_markers[marker].toolTip, this, MarkerRect(marker));
    }
    return true;
}

void CWPFIndexMarkerStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int edgeTop = TabHeight() + 1;
    const QColor card = palette().color(QPalette::Base);
    const QColor line = palette().color(QPalette::Mid);
    if (!m_caption.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, 1, CaptionWidth(), TabHeight()), Qt::AlignCenter, m_caption);
    }
    for (int i = 0; i < MarkerCount(); ++i) {
        const QRect tab = MarkerRect(i);
        if (tab.isEmpty())
            continue;
        const QColor color = CWPFApplication::GetVKColor(m_markers[i].colorSlot).isValid()
                                 ? CWPFApplication::GetVKColor(m_markers[i].colorSlot)
                                 : palette().color(QPalette::Button);
        // A tab of a paper card: sides leaning in, rounded top corners, open
        // at the bottom where it joins the card.
        QPainterPath path;
        const double bottom = edgeTop + 0.5;
        path.moveTo(tab.left() + 0.5, bottom);
        path.lineTo(tab.left() + kSlant - 1.5, tab.top() + 3.5);
        path.quadTo(tab.left() + kSlant, tab.top() + 0.5, tab.left() + kSlant + 3.5, tab.top() + 0.5);
        path.lineTo(tab.right() - kSlant - 3.5, tab.top() + 0.5);
        path.quadTo(tab.right() - kSlant, tab.top() + 0.5, tab.right() - kSlant + 1.5, tab.top() + 3.5);
        path.lineTo(tab.right() + 0.5, bottom);
        painter.setPen(QPen(color.darker(150), 1));
        painter.setBrush(color);
        painter.drawPath(path);
        painter.setPen(TextColorOn(color));
        const QRect textRect = tab.adjusted(kSlant + kTextPadding / 2, 2, -kSlant - kTextPadding / 2, 0);
        painter.drawText(textRect, Qt::AlignCenter,
                         fontMetrics().elidedText(m_markers[i].text.trimmed(), Qt::ElideRight, textRect.width()));
    }
    // The card's edge under the tabs.
    painter.setPen(QPen(line, 1));
    painter.setBrush(card);
    painter.drawRect(QRectF(-1, edgeTop + 0.5, width() + 1, kEdgeHeight + 2));
}

void CWPFIndexMarkerStrip::mousePressEvent(QMouseEvent* event)
{
    const int marker = event->button() == Qt::LeftButton ? MarkerAt(event->position().toPoint()) : -1;
    if (marker >= 0 && m_onClick)
        m_onClick(marker);
    else
        QWidget::mousePressEvent(event);
}

void CWPFIndexMarkerStrip::mouseMoveEvent(QMouseEvent* event)
{
    const bool overTab = m_bHandCursor && MarkerAt(event->position().toPoint()) >= 0;
    setCursor(overTab ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}
