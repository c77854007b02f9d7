#pragma once
#include <QAbstractButton>

// One index marker of the strip: a file card's tab in its slot's colour
// (CWPFApplication::GetVKColor) with the marker's text, cut with "…" when
// long. A tab without a slot is the strip's dashed place holder. As a
// button, a screen reader names it by its text, describes it by its tool
// tip and can press it; a disabled tab only shows.
class CWPFIndexMarkerTab : public QAbstractButton {
public:
    // colorSlot -1: the place holder.
    CWPFIndexMarkerTab(const QString& text, const QString& toolTip, int colorSlot, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nColorSlot;
};
