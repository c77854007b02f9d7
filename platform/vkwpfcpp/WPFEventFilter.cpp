#include "vkwpfcpp/WPFEventFilter.h"

CWPFEventFilter::CWPFEventFilter(QObject* watched, Filter filter, QObject* parent)
    : QObject(parent), m_pWatched(watched), m_filter(std::move(filter))
{
    watched->installEventFilter(this);
}

bool CWPFEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    return watched == m_pWatched && m_filter(event);
}
