#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

// The index markers of a file card drawn as the coloured tabs that stand up
// from the card's top edge: each shown marker is a tab in its slot's colour
// (CWPFApplication::GetVKColor) with its text, in marker order from the
// left; hidden markers take no room. The line below the tabs is the card's
// edge. Resting on a tab shows its tool tip; a click on a tab reports the
// marker's number.
class CWPFIndexMarkerStrip : public QWidget {
public:
    CWPFIndexMarkerStrip(const QString& caption, QWidget* parent);

    void AddMarker(const QString& text, const QString& toolTip, int colorSlot);
    int MarkerCount() const { return static_cast<int>(m_markers.size()); }
    void SetMarkerVisible(int marker, bool visible);
    bool IsMarkerVisible(int marker) const;
    // Where the marker's tab stands; empty when it is hidden or unknown.
    QRect MarkerRect(int marker) const;
    // Clicks on tabs go here (none: clicks do nothing); handCursor shows a
    // hand over the tabs.
    void SetClickHandler(std::function<void(int marker)> handler, bool handCursor);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct SMarker {
        QString text;
        QString toolTip;
        int colorSlot = 0;
        bool visible = false;
    };
    int CaptionWidth() const;
    int TabWidth(const SMarker& marker) const;
    int TabHeight() const;
    int MarkerAt(const QPoint& point) const;
    void Changed();

    QString m_caption;
    std::vector<SMarker> m_markers;
    std::function<void(int)> m_onClick;
    bool m_bHandCursor = false;
};
