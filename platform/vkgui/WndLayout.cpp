#include "vkgui/WndLayout.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace {

// Edges in 64 bits: a stored rectangle may hold any 32-bit edges, and their
// sums and differences must not overflow.
struct SEdges {
    long long left, top, right, bottom;
};

SEdges EdgesOf(const QRect& rect)
{
    return {rect.left(), rect.top(), static_cast<long long>(rect.left()) + rect.width(),
            static_cast<long long>(rect.top()) + rect.height()};
}

long long OverlapArea(const SEdges& a, const SEdges& b)
{
    const long long width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return (width > 0 && height > 0) ? width * height : 0;
}

// Gap between two rectangles along both axes (0 when they touch or overlap).
long long Gap(const SEdges& a, const SEdges& b)
{
    const long long dx = std::max({0LL, b.left - a.right, a.left - b.right});
    const long long dy = std::max({0LL, b.top - a.bottom, a.top - b.bottom});
    return dx + dy;
}

QScreen* NearestScreen(const SEdges& rect)
{
    QScreen* best = nullptr;
    long long bestOverlap = 0;
    long long bestGap = std::numeric_limits<long long>::max();
    for (QScreen* screen : QGuiApplication::screens()) {
        const SEdges bound = EdgesOf(screen->geometry());
        const long long overlap = OverlapArea(rect, bound);
        const long long gap = Gap(rect, bound);
        if (overlap > bestOverlap || (bestOverlap == 0 && overlap == 0 && gap < bestGap)) {
            best = screen;
            bestOverlap = overlap;
            bestGap = gap;
        }
    }
    return best;
}

// Start of a span of the given length placed in [boundStart, boundStart + boundLength).
long long ClipStart(long long start, long long length, long long boundStart, long long boundLength)
{
    return std::clamp(start, boundStart, boundStart + boundLength - length);
}

} // namespace

void CWndLayout::ClipOrCenterRectToMonitor(RECT* prc, unsigned int flags)
{
    if (prc == nullptr || QGuiApplication::instance() == nullptr)
        return;
    // 64-bit arithmetic: the edges of a stored rectangle may be anything.
    long long width = std::max(0LL, static_cast<long long>(prc->right) - prc->left);
    long long height = std::max(0LL, static_cast<long long>(prc->bottom) - prc->top);
    // A zero-sized rectangle still has a place: one pixel finds its screen.
    QScreen* screen =
        NearestScreen({prc->left, prc->top, prc->left + std::max(width, 1LL), prc->top + std::max(height, 1LL)});
    if (screen == nullptr)
        return;
    const QRect bound = (flags & MONITOR_WORKAREA) ? screen->availableGeometry() : screen->geometry();
    width = std::min<long long>(width, bound.width());
    height = std::min<long long>(height, bound.height());
    long long left = 0;
    long long top = 0;
    if (flags & MONITOR_CENTER) {
        left = bound.left() + (bound.width() - width) / 2;
        top = bound.top() + (bound.height() - height) / 2;
    } else {
        left = ClipStart(prc->left, width, bound.left(), bound.width());
        top = ClipStart(prc->top, height, bound.top(), bound.height());
    }
    prc->left = static_cast<std::int32_t>(left);
    prc->top = static_cast<std::int32_t>(top);
    prc->right = static_cast<std::int32_t>(left + width);
    prc->bottom = static_cast<std::int32_t>(top + height);
}
