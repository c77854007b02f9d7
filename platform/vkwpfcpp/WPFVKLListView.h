#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFWndBase.h"

#include <vector>

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
    // Sizes every column to its header and the rows on screen.
    void AutoSizeGridViewColumns();

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
    void ConnectSelection();
    void OnSelectionRangesChanged(const std::vector<int>& added, const std::vector<int>& removed);
    void OnRowsReset();

    std::vector<SColumn> m_columns;
    CWPFMatrixBase* m_pMatrix = nullptr;
    std::vector<int> m_selectionOrder;
    std::unique_ptr<QObject> m_modelContext;
    CWPFEventList m_onSelectionChanged;
    CWPFEventList m_onMouseDoubleClick;
    CWPFEventList m_onColumnHeaderClick;
};
