#pragma once
#include <QLayout>
#include <QList>
#include <QPointer>
#include <QRect>
#include <map>
#include <vector>

class QPropertyAnimation;

// Places its widgets in rows from left to right and starts a new row when the
// next one no longer fits, as text wraps. Collapsed (hidden) widgets take no
// place. When animated, widgets glide to their new places instead of jumping,
// and one held widget (the one the user drags) is left where it is put.
class CWPFFlowLayout : public QLayout {
public:
    explicit CWPFFlowLayout(QWidget* parent = nullptr);
    ~CWPFFlowLayout() override;

    void InsertWidget(int index, QWidget* widget);
    // Moves the item at from to the place to (both indices of items).
    void MoveItem(int from, int to);
    // The index of the visible item whose place holds point, -1 for none.
    int ItemAt(const QPoint& point) const;
    void SetAnimated(bool animated) { m_bAnimated = animated; }
    void SetHeldWidget(QWidget* widget) { m_held = widget; }

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // The places of the items within rect (an empty rectangle for collapsed
    // ones); the height the rows take.
    int Arrange(const QRect& rect, std::vector<QRect>* places) const;
    void Place(QWidget* widget, const QRect& place);

    QList<QLayoutItem*> m_items;
    std::vector<QRect> m_places;
    std::map<QWidget*, QPointer<QPropertyAnimation>> m_animations;
    QPointer<QWidget> m_held;
    bool m_bAnimated = false;
};
