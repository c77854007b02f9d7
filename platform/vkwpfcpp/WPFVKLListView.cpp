#include "vkwpfcpp/WPFVKLListView.h"

#include "vkwpfcpp/WPFDoubleClickWatch.h"
#include "vkwpfcpp/WPFMatrixBase.h"
#include "vkwpfcpp/WPFSelectionChangedEvent.h"

#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <unordered_set>

namespace {

// The rows of a selection, ascending, each once.
std::vector<int> RowsOf(const QItemSelection& selection)
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace

CWPFVKLListView::CWPFVKLListView() = default;

CWPFVKLListView::~CWPFVKLListView() = default;

void CWPFVKLListView::AddTextBlockColumn(const CString& header, int width, int alignment, const CString& toolTip)
{
    m_columns.push_back({header, width, alignment, toolTip, false, CString(), false});
    ApplyColumns();
}

void CWPFVKLListView::AddCheckBoxColumn(const CString& header, int width, const CString& toolTip)
{
    m_columns.push_back({header, width, 1, toolTip, true, CString(), false});
    ApplyColumns();
}

void CWPFVKLListView::AddImageColumn(const CString& header, int width, const CString& assembly)
{
    m_columns.push_back({header, width, 1, CString(), false, assembly, false});
    ApplyColumns();
}

void CWPFVKLListView::AddHiddenColumn()
{
    m_columns.push_back({CString(), 0, 0, CString(), false, CString(), true});
    ApplyColumns();
}

void CWPFVKLListView::BindMatrix(CWPFMatrixBase* matrix)
{
    m_pMatrix = matrix;
    m_selectionOrder.clear();
    m_modelContext = std::make_unique<QObject>();
    QTreeView* view = View();
    if (!view)
        return;
    if (matrix) {
        matrix->FlushPendingRows();
        QObject::connect(matrix, &QAbstractItemModel::modelReset, m_modelContext.get(), [this] { OnRowsReset(); });
    }
    view->setModel(matrix);
    ConnectSelection();
    ApplyColumns();
}

void CWPFVKLListView::AutoSizeGridViewColumns()
{
    QTreeView* view = View();
    if (!view || !m_pMatrix)
        return;
    m_pMatrix->FlushPendingRows();
    // Only the rows on screen are measured, so the cost does not grow with
    // the list; the layout must be current for the view to know them.
    view->doItemsLayout();
    int firstShown = -1;
    for (int column = 0; column < m_pMatrix->GetColumnCount(); ++column) {
        if (view->isColumnHidden(column))
            continue;
        view->resizeColumnToContents(column);
        const bool image = column < static_cast<int>(m_columns.size()) &&
                           !m_columns[static_cast<std::size_t>(column)].imageAssembly.IsEmpty();
        if (firstShown < 0 && !image)
            firstShown = column;
    }
    // Short texts would leave the right part of the list bare: the first
    // text column, which holds the names, takes whatever room the others
    // leave, also when the window is resized later.
    if (firstShown >= 0)
        view->header()->setSectionResizeMode(firstShown, QHeaderView::Stretch);
}

void CWPFVKLListView::SetSelectionMode(int mode)
{
    QTreeView* view = View();
    if (!view)
        return;
    switch (mode) {
    case VKSelectionMultiple:
        view->setSelectionMode(QAbstractItemView::MultiSelection);
        break;
    case VKSelectionExtended:
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        break;
    default:
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        break;
    }
}

int CWPFVKLListView::GetSelectedIndex() const
{
    return m_selectionOrder.empty() ? -1 : m_selectionOrder.front();
}

bool CWPFVKLListView::SetSelectedIndex(int row)
{
    QTreeView* view = View();
    if (!view || !m_pMatrix)
        return false;
    m_pMatrix->FlushPendingRows();
    QItemSelectionModel* selection = view->selectionModel();
    if (row == -1) {
        selection->clearSelection();
        return true;
    }
    if (row < 0 || row >= m_pMatrix->rowCount())
        return false;
    const QModelIndex index = m_pMatrix->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
    return true;
}

std::vector<int> CWPFVKLListView::GetSelectedItems() const
{
    return m_selectionOrder;
}

void CWPFVKLListView::DoAddOnSelectionChanged(CWPFEventHandlerOf<CWPFSelectionChangedEvent>* handler)
{
    m_onSelectionChanged.Add(handler);
}

void CWPFVKLListView::DoAddOnMouseDoubleClick(CWPFEventHandlerOf<CWPFMouseButtonEvent>* handler)
{
    m_onMouseDoubleClick.Add(handler);
}

void CWPFVKLListView::DoAddOnColumnHeaderClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler)
{
    m_onColumnHeaderClick.Add(handler);
}

bool CWPFVKLListView::CanAttach(QObject* element) const
{
    return qobject_cast<QTreeView*>(element) != nullptr;
}

void CWPFVKLListView::OnAttached()
{
    QTreeView* view = View();
    // A flat list: no tree decoration, whole rows selected, and rows of one
    // height so that the view need not measure every row of a long list.
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSortingEnabled(false);
    view->header()->setSectionsClickable(true);
    view->header()->setStretchLastSection(false);
    // Column widths come from the rows on screen, however long the list.
    view->header()->setResizeContentsPrecision(0);
    QObject::connect(view->header(), &QHeaderView::sectionClicked, EventContext(), [this](int column) {
        CWPFRoutedEvent event(this, column);
        m_onColumnHeaderClick.Raise(event);
    });
    CWPFDoubleClickWatch::Install(view, this, m_onMouseDoubleClick, EventContext());
    if (m_pMatrix)
        BindMatrix(m_pMatrix);
}

QTreeView* CWPFVKLListView::View() const
{
    return qobject_cast<QTreeView*>(GetElement());
}

void CWPFVKLListView::ApplyColumns()
{
    QTreeView* view = View();
    if (!view || !m_pMatrix)
        return;
    const int shown = std::min<int>(static_cast<int>(m_columns.size()), m_pMatrix->GetColumnCount());
    for (int column = 0; column < shown; ++column) {
        const SColumn& definition = m_columns[static_cast<std::size_t>(column)];
        m_pMatrix->SetColumnHeader(column, definition.header, definition.toolTip);
        m_pMatrix->SetColumnAlignment(column, definition.alignment);
        m_pMatrix->SetCheckColumn(column, definition.check);
        m_pMatrix->SetImageColumn(column, definition.imageAssembly);
        view->setColumnHidden(column, definition.hidden);
        if (definition.hidden)
            continue;
        if (definition.width > 0)
            view->setColumnWidth(column, definition.width);
        else
            view->resizeColumnToContents(column);
    }
    // Without any column definition the table shows all its columns.
    for (int column = shown; column < m_pMatrix->GetColumnCount(); ++column)
        view->setColumnHidden(column, !m_columns.empty());
}

void CWPFVKLListView::ConnectSelection()
{
    QItemSelectionModel* selection = View()->selectionModel();
    if (!selection)
        return;
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, m_modelContext.get(),
                     [this](const QItemSelection& selected, const QItemSelection& deselected) {
                         OnSelectionRangesChanged(RowsOf(selected), RowsOf(deselected));
                     });
}

void CWPFVKLListView::OnSelectionRangesChanged(const std::vector<int>& added, const std::vector<int>& removed)
{
    // A row selected by a click on a further column reports the row again;
    // it keeps its first place.
    const std::unordered_set<int> removedRows(removed.begin(), removed.end());
    std::erase_if(m_selectionOrder, [&](int row) { return removedRows.contains(row); });
    std::unordered_set<int> present(m_selectionOrder.begin(), m_selectionOrder.end());
    std::vector<int> joined;
    for (int row : added)
        if (present.insert(row).second) {
            m_selectionOrder.push_back(row);
            joined.push_back(row);
        }
    if (joined.empty() && removed.empty())
        return;
    CWPFSelectionChangedEvent event(this, std::move(joined), removed);
    m_onSelectionChanged.Raise(event);
}

void CWPFVKLListView::OnRowsReset()
{
    // A cleared table takes the selection with it, which the handlers learn
    // as for any other change.
    if (m_selectionOrder.empty())
        return;
    std::vector<int> removed = m_selectionOrder;
    std::sort(removed.begin(), removed.end());
    m_selectionOrder.clear();
    CWPFSelectionChangedEvent event(this, {}, std::move(removed));
    m_onSelectionChanged.Raise(event);
}
