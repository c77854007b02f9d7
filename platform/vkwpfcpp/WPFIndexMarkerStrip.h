#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class CWPFFlowLayout;
class CWPFIndexMarkerTab;

// The index markers of a file card drawn as the coloured tabs that stand up
// from the card's top edge: each shown marker is a tab (CWPFIndexMarkerTab)
// with its text, in marker order from the left; hidden markers take no room.
// Tabs that do not fit the width wrap into a further row, so every shown
// marker stays in sight. The line below the tabs is the card's edge.
// Resting on a tab shows its tool tip; a click on a tab reports the marker's
// number. While no marker is shown and clicks are taken, a dashed place
// holder "Karteireiter" takes them (reported as marker -1).
class CWPFIndexMarkerStrip : public QWidget {
public:
    CWPFIndexMarkerStrip(const QString& caption, QWidget* parent);

    void AddMarker(const QString& text, const QString& toolTip, int colorSlot);
    int MarkerCount() const { return static_cast<int>(m_tabs.size()); }
    void SetMarkerVisible(int marker, bool visible);
    bool IsMarkerVisible(int marker) const;
    // Clicks on tabs go here (none: clicks do nothing); handCursor shows a
    // hand over the tabs.
    void SetClickHandler(std::function<void(int marker)> handler, bool handCursor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A new tab in the strip's row order, taking clicks as the strip does.
    CWPFIndexMarkerTab* NewTab(const QString& text, const QString& toolTip, int colorSlot, int marker);
    void UpdateTabs();

    CWPFFlowLayout* m_pFlow;
    std::vector<CWPFIndexMarkerTab*> m_tabs; // children of the strip
    std::vector<bool> m_visible;
    CWPFIndexMarkerTab* m_pPlaceHolder;
    std::function<void(int)> m_onClick;
    bool m_bHandCursor = false;
};
