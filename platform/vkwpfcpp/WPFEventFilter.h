#pragma once
#include <QObject>
#include <functional>

// Watches the events of one object for a wrapper: the filter function sees
// each event first and returns true to stop it there. Deleting the filter
// ends the watch.
class CWPFEventFilter : public QObject {
public:
    using Filter = std::function<bool(QEvent*)>;

    CWPFEventFilter(QObject* watched, Filter filter, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QObject* m_pWatched;
    Filter m_filter;
};
