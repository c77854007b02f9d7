#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFWndBase.h"

#include <QElapsedTimer>
#include <QString>
#include <vector>

class CWPFKeyEvent;
class CWPFMatrixBase;
class CWPFRoutedEvent;
class CWPFSelectionChangedEvent;
class CWPFMouseButtonEvent;
class QTreeView;

// Values of SetSelectionMode.
enum EVKSelectionMode { VKSelectionSingle = 0, VKSelectionMultiple = 1, VKSelectionExtended = 2 };

// A list of rows with columns (a QTreeView in the markup, shown as a flat
// list). Its rows are a bound CWPFMatrixBase; the columns added here show
// the table's columns in the same order, table columns beyond them are not
// shown.
//
// As desktop lists do: typing letters selects the next row whose first
// column starts with them; only a selected row is drawn as the focused one,
// so an empty selection never looks like one.
class CWPFVKLListView : public CWPFWndBase {
public:
    CWPFVKLListView();
    ~CWPFVKLListView() override;

    // Adds the next column: header text, width in pixels (0 or less: sized
    // to the header), alignment 0 left, 1 centred, 2 right, and the header's
    // tool tip (empty: none).
    void AddTextBlockColumn(const CString& header, int width, int alignment, const CString& toolTip);
    // Adds the next column as a check box column over a flag cell.
    void AddCheckBoxColumn(const CString& header, int width, const CString& toolTip);
    // Adds the next column as an image column: its cells name images of the
    // resource assembly.
    void AddImageColumn(const CString& header, int width, const CString& assembly);
    // Adds the next column without showing it: the table keeps a value there
    // that the user need not see.
    void AddHiddenColumn();
    // Shows the table's rows; the table must outlive the binding.
    void BindMatrix(CWPFMatrixBase* matrix);
    CWPFMatrixBase* GetMatrix() const { return m_pMatrix; }
    // Sizes every column to its header and the rows on screen, except the
    // columns whose widths were given or that the user sized by hand; the
    // first column takes the room the others leave.
    void AutoSizeGridViewColumns();
    // The widths of the columns in pixels once they are the user's (sized by
    // hand or restored), empty while the list sizes them itself; and the
    // widths to restore (the first column keeps filling the room).
    std::vector<int> GetColumnWidths() const;
    void SetColumnWidths(const std::vector<int>& widths);
    // The arrow in the header that shows the sort column and direction.
    void SetSortIndicator(int column, bool ascending);

    // 0 single, 1 multiple (a click adds or removes a row), 2 extended
    // (Shift and Ctrl extend the selection).
    void SetSelectionMode(int mode);
    // The first row of the selection in the order it was made, -1 for none.
    int GetSelectedIndex() const;
    // Selects only that row and shows it; -1 clears the selection. A row
    // outside the list changes nothing and returns false.
    bool SetSelectedIndex(int row);
    // The selected rows in the order the user selected them.
    std::vector<int> GetSelectedItems() const;

    void DoAddOnSelectionChanged(CWPFEventHandlerOf<CWPFSelectionChangedEvent>* handler);
    void DoAddOnMouseDoubleClick(CWPFEventHandlerOf<CWPFMouseButtonEvent>* handler);
    // The event's GetColumnIndex() is the clicked column.
    void DoAddOnColumnHeaderClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler);
    // A key pressed in the list; a handler that sets Handled keeps it from
    // the list and the dialog (Return then does not reach the OK button).
    void DoAddOnKeyDown(CWPFEventHandlerOf<CWPFKeyEvent>* handler);

protected:
    bool CanAttach(QObject* element) const override;
    void OnAttached() override;

private:
    struct SColumn {
        CString header;
        int width;
        int alignment;
        CString toolTip;
        bool check;
        CString imageAssembly;
        bool hidden;
    };

    QTreeView* View() const;
    void ApplyColumns();
    void ApplyColumnDefinitions(QTreeView& view);
    void ConnectSelection();
    void OnSelectionRangesChanged(const std::vector<int>& added, const std::vector<int>& removed);
    void OnRowsReset();
    bool OnKeyPress(int key, int modifiers, const QString& text);
    void SelectTypedRow(const QString& text);
    int ContentWidth(QTreeView& view, int column) const;
    // Runs a sizing of the list's own, which is not a user's choice.
    template <typename Sizing> void SizeColumns(Sizing sizing);

    std::vector<SColumn> m_columns;
    CWPFMatrixBase* m_pMatrix = nullptr;
    std::vector<int> m_selectionOrder;
    bool m_bSizingColumns = false;
    bool m_bKeepColumnWidths = false;
    QString m_strTyped;
    QElapsedTimer m_sinceTyped;
    std::unique_ptr<QObject> m_modelContext;
    CWPFEventList m_onSelectionChanged;
    CWPFEventList m_onMouseDoubleClick;
    CWPFEventList m_onColumnHeaderClick;
    CWPFEventList m_onKeyDown;
};
