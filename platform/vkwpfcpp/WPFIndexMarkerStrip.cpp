#include "vkwpfcpp/WPFIndexMarkerStrip.h"

#include "vkwpfcpp/WPFFlowLayout.h"
#include "vkwpfcpp/WPFIndexMarkerTab.h"

#include <QLabel>
#include <QPainter>

namespace {

constexpr int kTabGap = 3;
constexpr int kEdgeHeight = 3; // the card below the tabs

} // namespace

CWPFIndexMarkerStrip::CWPFIndexMarkerStrip(const QString& caption, QWidget* parent)
    : QWidget(parent), m_pFlow(new CWPFFlowLayout(this))
{
    setAccessibleName(QStringLiteral("Karteireiter"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_pFlow->setContentsMargins(0, 1, 0, kEdgeHeight + 1);
    m_pFlow->setSpacing(kTabGap);
    if (!caption.isEmpty())
        m_pFlow->addWidget(new QLabel(caption, this));
    m_pPlaceHolder = NewTab(QStringLiteral("Karteireiter …"), QStringLiteral("Karteireiter konfigurieren"), -1, -1);
    m_pPlaceHolder->setObjectName(QStringLiteral("IndexMarkerConfig"));
    m_pPlaceHolder->setAccessibleName(QStringLiteral("Karteireiter konfigurieren"));
    UpdateTabs();
}

CWPFIndexMarkerTab* CWPFIndexMarkerStrip::NewTab(const QString& text, const QString& toolTip, int colorSlot, int marker)
{
    auto* tab = new CWPFIndexMarkerTab(text, toolTip, colorSlot, this);
    // The place holder stays last, after every marker.
    m_pFlow->InsertWidget(marker < 0 ? m_pFlow->count() : m_pFlow->count() - 1, tab);
    connect(tab, &QAbstractButton::clicked, this, [this, marker] {
        if (m_onClick)
            m_onClick(marker);
    });
    return tab;
}

void CWPFIndexMarkerStrip::AddMarker(const QString& text, const QString& toolTip, int colorSlot)
{
    const int marker = MarkerCount();
    CWPFIndexMarkerTab* tab = NewTab(text, toolTip, colorSlot, marker);
    tab->setObjectName(QStringLiteral("IndexMarkerTab%1").arg(marker));
    if (tab->text().isEmpty())
        tab->setAccessibleName(QStringLiteral("Karteireiter %1").arg(marker + 1));
    m_tabs.push_back(tab);
    m_visible.push_back(true);
    UpdateTabs();
}

void CWPFIndexMarkerStrip::SetMarkerVisible(int marker, bool visible)
{
    if (marker < 0 || marker >= MarkerCount() || m_visible[marker] == visible)
        return;
    m_visible[marker] = visible;
    UpdateTabs();
}

bool CWPFIndexMarkerStrip::IsMarkerVisible(int marker) const
{
    return marker >= 0 && marker < MarkerCount() && m_visible[marker];
}

void CWPFIndexMarkerStrip::SetClickHandler(std::function<void(int)> handler, bool handCursor)
{
    m_onClick = std::move(handler);
    m_bHandCursor = handCursor && m_onClick;
    UpdateTabs();
}

void CWPFIndexMarkerStrip::UpdateTabs()
{
    const bool clickable = static_cast<bool>(m_onClick);
    bool anyShown = false;
    for (int i = 0; i < MarkerCount(); ++i) {
        m_tabs[i]->setHidden(!m_visible[i]);
        m_tabs[i]->setEnabled(clickable);
        m_tabs[i]->setCursor(m_bHandCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
        anyShown = anyShown || m_visible[i];
    }
    m_pPlaceHolder->setHidden(anyShown || !clickable);
    m_pPlaceHolder->setCursor(m_bHandCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_pFlow->invalidate();
    updateGeometry();
    update();
}

void CWPFIndexMarkerStrip::paintEvent(QPaintEvent*)
{
    // The card's edge under the last row of tabs.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(QRectF(-1, height() - kEdgeHeight - 1.5, width() + 1, kEdgeHeight + 2));
}
