#include "vkwpfcpp/WPFFlowLayout.h"

#include <QPropertyAnimation>
#include <QWidget>
#include <algorithm>

namespace {

constexpr int GlideMilliseconds = 160;

} // namespace

CWPFFlowLayout::CWPFFlowLayout(QWidget* parent) : QLayout(parent)
{
    setContentsMargins(6, 6, 6, 6);
    setSpacing(6);
}

CWPFFlowLayout::~CWPFFlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void CWPFFlowLayout::InsertWidget(int index, QWidget* widget)
{
    addChildWidget(widget);
    m_items.insert(std::clamp(index, 0, static_cast<int>(m_items.size())), new QWidgetItem(widget));
    invalidate();
}

void CWPFFlowLayout::MoveItem(int from, int to)
{
    const int last = static_cast<int>(m_items.size()) - 1;
    if (from < 0 || from > last || from == to)
        return;
    m_items.move(from, std::clamp(to, 0, last));
    invalidate();
}

int CWPFFlowLayout::ItemAt(const QPoint& point) const
{
    for (std::size_t i = 0; i < m_places.size() && i < static_cast<std::size_t>(m_items.size()); ++i)
        if (!m_places[i].isEmpty() && m_places[i].contains(point))
            return static_cast<int>(i);
    return -1;
}

void CWPFFlowLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
}

int CWPFFlowLayout::count() const
{
    return static_cast<int>(m_items.size());
}

QLayoutItem* CWPFFlowLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* CWPFFlowLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    QLayoutItem* item = m_items.takeAt(index);
    if (QWidget* widget = item->widget()) {
        auto animation = m_animations.find(widget);
        if (animation != m_animations.end()) {
            if (animation->second)
                animation->second->stop();
            m_animations.erase(animation);
        }
    }
    invalidate();
    return item;
}

Qt::Orientations CWPFFlowLayout::expandingDirections() const
{
    return {};
}

bool CWPFFlowLayout::hasHeightForWidth() const
{
    return true;
}

int CWPFFlowLayout::heightForWidth(int width) const
{
    return Arrange(QRect(0, 0, width, 0), nullptr);
}

QSize CWPFFlowLayout::minimumSize() const
{
    QSize size;
    for (QLayoutItem* item : m_items)
        if (!item->isEmpty())
            size = size.expandedTo(item->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize CWPFFlowLayout::sizeHint() const
{
    return minimumSize();
}

void CWPFFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    Arrange(rect, &m_places);
    for (int i = 0; i < m_items.size(); ++i) {
        QWidget* widget = m_items[i]->widget();
        if (widget && !m_places[i].isEmpty() && widget != m_held)
            Place(widget, m_places[i]);
    }
}

int CWPFFlowLayout::Arrange(const QRect& rect, std::vector<QRect>* places) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = spacing();
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    if (places)
        places->assign(m_items.size(), QRect());
    for (int i = 0; i < m_items.size(); ++i) {
        QLayoutItem* item = m_items[i];
        if (item->isEmpty())
            continue;
        const QSize size = item->sizeHint();
        if (x > area.x() && x + size.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight + gap;
            rowHeight = 0;
        }
        if (places)
            (*places)[i] = QRect(QPoint(x, y), size);
        x += size.width() + gap;
        rowHeight = std::max(rowHeight, size.height());
    }
    const QMargins margins = contentsMargins();
    return y + rowHeight - rect.y() + margins.bottom();
}

void CWPFFlowLayout::Place(QWidget* widget, const QRect& place)
{
    QPointer<QPropertyAnimation>& running = m_animations[widget];
    if (running) {
        if (running->endValue().toRect() == place)
            return;
        running->stop();
    }
    if (!m_bAnimated || !widget->isVisible() || widget->geometry() == place) {
        widget->setGeometry(place);
        return;
    }
    auto* glide = new QPropertyAnimation(widget, "geometry", widget);
    glide->setDuration(GlideMilliseconds);
    glide->setEasingCurve(QEasingCurve::OutCubic);
    glide->setStartValue(widget->geometry());
    glide->setEndValue(place);
    running = glide;
    glide->start(QAbstractAnimation::DeleteWhenStopped);
}
