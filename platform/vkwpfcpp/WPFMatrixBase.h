#pragma once
#include "vkbasis/CString.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

// The table behind a list view: rows of a fixed number of text cells, held
// in one flat array and formatted for the view only when a cell is painted,
// so a list of 100,000 rows needs no object per row.
//
// A flag cell is set when its text is neither empty nor "0"; SetFlag writes
// "1" or "0". Columns marked as check columns show a check box that the
// user may tick.
//
// A table may instead show rows whose texts it does not hold (SetRows): it
// asks for a cell's text when a view paints it, so a list of a million rows
// costs no text until it is seen and is re-ordered without making any.
//
// Rows added while a view shows the table are announced to it in one batch:
// at the next turn of the event loop, or at once when the view asks for the
// rows through FlushPendingRows (the list view does so before it selects,
// sizes or reads rows).
class CWPFMatrixBase : public QAbstractTableModel {
public:
    // Throws std::invalid_argument when columns is less than 1.
    explicit CWPFMatrixBase(int columns);
    ~CWPFMatrixBase() override;

    int GetColumnCount() const { return m_nColumns; }
    int Count() const;
    // The same, but a source found as the views scroll is first counted to
    // its end: for going to the last row or looking through every row.
    int CountAllRows();

    // Appends a row and returns its index. Missing cells at the end are
    // empty; more cells than columns throw std::invalid_argument and add
    // nothing.
    int DoAdd(const std::vector<CString>& row);
    void Clear();

    // Makes the table `rows` rows whose cell texts cellText(row, column)
    // gives when asked; replaces the rows held. The views learn of it at
    // once. Such rows are read only: DoAdd, SetText and SetFlag throw
    // std::logic_error until Clear.
    using CellSource = std::function<CString(int row, int column)>;
    void SetRows(int rows, CellSource cellText);
    // The same, but the views are shown the rows a batch at a time, the next
    // one when a view scrolls to the end of those shown (fetchMore), so that
    // a view lays out only the rows shown so far: for rows read from a
    // database, whose count may be large.
    void SetRowsInBatches(int rows, CellSource cellText);
    // The same for a source whose size is found as the views scroll, so that
    // a large table is not counted before it is shown: rowsUpTo(wanted) gives
    // how many rows there are, but no more than wanted.
    using RowsFound = std::function<int(int wanted)>;
    void SetRowsAsFound(CellSource cellText, RowsFound rowsUpTo);
    // While held, the views are given no further batch when they ask.
    void HoldBatches(bool held) { m_bBatchesHeld = held; }
    // Shows the views every row up to this one (to select it).
    void PublishRowsTo(int row);
    // Shows `rows` rows of the same source, the rows shown so far staying as
    // they are (selection included): a listing whose first rows are shown
    // while the rest is read. Rows in batches are shown one batch more, the
    // rest as the views scroll. Fewer rows than now change nothing.
    void ExtendRows(int rows);

    // Cell access; a row or column outside the table throws
    // std::out_of_range.
    CString GetText(int row, int column) const;
    bool GetFlag(int row, int column) const;
    void SetText(int row, int column, const CString& text);
    void SetFlag(int row, int column, bool set);

    // Presentation of a column in the views.
    void SetColumnHeader(int column, const CString& header, const CString& toolTip);
    // 0 left, 1 centred, 2 right.
    void SetColumnAlignment(int column, int alignment);
    void SetCheckColumn(int column, bool check);
    // A column whose cells name images of the resource assembly shows the
    // images instead of the names; an empty assembly shows the names again.
    void SetImageColumn(int column, const CString& assembly);

    void FlushPendingRows();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct SColumn {
        QString header;
        QString toolTip;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
        bool check = false;
        CString imageAssembly;
    };

    // As many rows as a large window shows, and a few screens more.
    static constexpr int BatchRows = 256;

    std::size_t CellIndex(int row, int column) const;
    void CheckHeldRows(const char* operation) const;
    void CheckColumn(int column) const;

    int m_nColumns;
    std::vector<CString> m_cells;
    CellSource m_cellSource;
    int m_nSourceRows = 0;
    int m_nBatchRows = 0; // 0: the views see every source row at once
    RowsFound m_rowsUpTo; // empty once every source row is known
    bool m_bBatchesHeld = false;
    std::vector<SColumn> m_columns;
    int m_nPublishedRows = 0;
    bool m_bFlushQueued = false;
};
