#pragma once
#include <QStyledItemDelegate>

// Paints the cells of a list view, but the focus only on a selected row.
// The view keeps a current row for the keyboard even when nothing is
// selected; drawn with the focus it would look like a choice.
class CWPFVKLListViewFocus : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
