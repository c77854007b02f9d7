#include "vkwpfcpp/WPFVKLListView.h"

#include "vkwpfcpp/WPFDoubleClickWatch.h"
#include "vkwpfcpp/WPFEventFilter.h"
#include "vkwpfcpp/WPFKeyEvent.h"
#include "vkwpfcpp/WPFMatrixBase.h"
#include "vkwpfcpp/WPFSelectionChangedEvent.h"
#include "vkwpfcpp/WPFText.h"
#include "vkwpfcpp/WPFVKLListViewFocus.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
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

} // namespace

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
    int firstShown = -1;
    SizeColumns([&] {
        view->doItemsLayout();
        for (int column = 0; column < m_pMatrix->GetColumnCount(); ++column) {
            if (view->isColumnHidden(column))
                continue;
            const bool image = column < static_cast<int>(m_columns.size()) &&
                               !m_columns[static_cast<std::size_t>(column)].imageAssembly.IsEmpty();
            if (firstShown < 0 && !image)
                firstShown = column;
            else if (!m_bKeepColumnWidths)
                view->setColumnWidth(column, ContentWidth(*view, column));
        }
        // Short texts would leave the right part of the list bare: the first
        // text column, which holds the names, takes whatever room the others
        // leave, also when the window is resized later.
        if (firstShown >= 0)
            view->header()->setSectionResizeMode(firstShown, QHeaderView::Stretch);
    });
}

int CWPFVKLListView::ContentWidth(QTreeView& view, int column) const
{
    // Qt measures only the rows on screen, and a list that is filled before
    // its window shows has none yet: the first rows stand in for them, and
    // the row with the longest text, which may stand anywhere (the six-digit
    // numbers at the end of a list sorted by number).
    constexpr int kMeasuredRows = 64;
    const QAbstractItemView& rowsOnScreen = view;
    int width = std::max(rowsOnScreen.sizeHintForColumn(column), view.header()->sectionSizeHint(column));
    const int rows = std::min(view.model()->rowCount(), kMeasuredRows);
    for (int row = 0; row < rows; ++row)
        width = std::max(width, view.sizeHintForIndex(view.model()->index(row, column)).width());
    // Among the rows the view has been given: rows read as they are shown
    // come a batch at a time, and reading them all would cost the whole list.
    int longest = -1;
    for (int row = 0, longestLength = -1; row < m_pMatrix->rowCount(); ++row)
        if (const int length = m_pMatrix->GetText(row, column).GetLength(); length > longestLength) {
            longestLength = length;
            longest = row;
        }
    if (longest >= 0)
        width = std::max(width, view.sizeHintForIndex(view.model()->index(longest, column)).width());
    return width;
}

std::vector<int> CWPFVKLListView::GetColumnWidths() const
{
    std::vector<int> widths;
    if (QTreeView* view = View(); view && m_pMatrix && m_bKeepColumnWidths)
        for (int column = 0; column < m_pMatrix->GetColumnCount(); ++column)
            widths.push_back(view->columnWidth(column));
    return widths;
}

void CWPFVKLListView::SetColumnWidths(const std::vector<int>& widths)
{
    QTreeView* view = View();
    if (!view || widths.empty())
        return;
    SizeColumns([&] {
        for (std::size_t column = 0; column < widths.size(); ++column)
            if (widths[column] > 0)
                view->setColumnWidth(static_cast<int>(column), widths[column]);
    });
    m_bKeepColumnWidths = true;
}

void CWPFVKLListView::SetSortIndicator(int column, bool ascending)
{
    if (QTreeView* view = View()) {
        view->header()->setSortIndicatorShown(true);
        view->header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

template <typename Sizing> void CWPFVKLListView::SizeColumns(Sizing sizing)
{
    const bool outer = !m_bSizingColumns;
    m_bSizingColumns = true;
    // Sizing lays the view out again and again, and a tree view takes a
    // further batch of rows on every layout: only scrolling brings more.
    if (outer && m_pMatrix)
        m_pMatrix->HoldBatches(true);
    sizing();
    if (outer && m_pMatrix)
        m_pMatrix->HoldBatches(false);
    if (outer)
        m_bSizingColumns = false;
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
    m_pMatrix->PublishRowsTo(row);
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

void CWPFVKLListView::DoAddOnKeyDown(CWPFEventHandlerOf<CWPFKeyEvent>* handler)
{
    m_onKeyDown.Add(handler);
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
    view->setAllColumnsShowFocus(false);
    view->setItemDelegate(new CWPFVKLListViewFocus(view));
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
    // A column the user sizes keeps its width from then on; the first one
    // follows the window.
    QObject::connect(view->header(), &QHeaderView::sectionResized, EventContext(), [this](int column) {
        if (!m_bSizingColumns && View()->header()->sectionResizeMode(column) != QHeaderView::Stretch)
            m_bKeepColumnWidths = true;
    });
    new CWPFEventFilter(
        view,
        [this](QEvent* event) {
            if (event->type() != QEvent::KeyPress)
                return false;
            auto* key = static_cast<QKeyEvent*>(event);
            return OnKeyPress(key->key(), static_cast<int>(key->modifiers().toInt()), key->text());
        },
        EventContext());
    CWPFDoubleClickWatch::Install(view, this, m_onMouseDoubleClick, EventContext());
    if (m_pMatrix)
        BindMatrix(m_pMatrix);
}

QTreeView* CWPFVKLListView::View() const
{
    return qobject_cast<QTreeView*>(GetElement());
}

bool CWPFVKLListView::OnKeyPress(int key, int modifiers, const QString& text)
{
    // Selecting all rows or going to the last one means every row, also
    // those the view has not been given yet.
    if (m_pMatrix && (key == Qt::Key_End || (key == Qt::Key_A && (modifiers & Qt::ControlModifier))))
        m_pMatrix->PublishRowsTo(m_pMatrix->CountAllRows() - 1);
    CWPFKeyEvent keyEvent(this, key, modifiers);
    m_onKeyDown.Raise(keyEvent);
    if (keyEvent.GetHandled()) {
        m_sinceTyped.invalidate();
        return true;
    }
    const bool typed =
        !text.isEmpty() && text.at(0).isPrint() && !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    if (!typed || !m_pMatrix) {
        // Any other key ends the typed name.
        m_sinceTyped.invalidate();
        return false;
    }
    SelectTypedRow(text);
    return true;
}

void CWPFVKLListView::SelectTypedRow(const QString& text)
{
    QItemSelectionModel* selection = View()->selectionModel();
    // A check or image column shows no text to type.
    const bool textShown = m_columns.empty() || (!m_columns.front().check && m_columns.front().imageAssembly.IsEmpty());
    if (!selection || !textShown)
        return;
    // Letters typed in quick succession spell one name; a pause starts a new
    // one, which looks from the row after the current one, so the same
    // letter again moves on to the next name that starts with it.
    const bool goOn = m_sinceTyped.isValid() && m_sinceTyped.elapsed() < QApplication::keyboardInputInterval();
    m_strTyped = goOn ? m_strTyped + text : text;
    m_sinceTyped.start();
    const CString typed = CWPFText::FromQString(m_strTyped);
    // A letter the rows' code page lacks starts no row's text.
    if (CWPFText::ToQString(typed) != m_strTyped)
        return;
    // Also the rows the view has not been given yet, nor found: a list shown
    // a batch at a time holds names further down than the view knows.
    const int rows = m_pMatrix->CountAllRows();
    if (rows == 0)
        return;
    const int current = std::max(selection->currentIndex().row(), goOn ? 0 : -1);
    const int start = goOn ? current : (current + 1) % rows;
    for (int step = 0; step < rows; ++step) {
        const int row = (start + step) % rows;
        if (m_pMatrix->GetText(row, 0).Left(typed.GetLength()).CompareNoCase(typed) == 0) {
            SetSelectedIndex(row);
            return;
        }
    }
}

void CWPFVKLListView::ApplyColumns()
{
    QTreeView* view = View();
    if (!view || !m_pMatrix)
        return;
    SizeColumns([&] { ApplyColumnDefinitions(*view); });
}

void CWPFVKLListView::ApplyColumnDefinitions(QTreeView& view)
{
    const int shown = std::min<int>(static_cast<int>(m_columns.size()), m_pMatrix->GetColumnCount());
    for (int column = 0; column < shown; ++column) {
        const SColumn& definition = m_columns[static_cast<std::size_t>(column)];
        m_pMatrix->SetColumnHeader(column, definition.header, definition.toolTip);
        m_pMatrix->SetColumnAlignment(column, definition.alignment);
        m_pMatrix->SetCheckColumn(column, definition.check);
        m_pMatrix->SetImageColumn(column, definition.imageAssembly);
        view.setColumnHidden(column, definition.hidden);
        if (definition.hidden)
            continue;
        if (definition.width > 0)
            view.setColumnWidth(column, definition.width);
        else
            view.resizeColumnToContents(column);
    }
    // Without any column definition the table shows all its columns.
    for (int column = shown; column < m_pMatrix->GetColumnCount(); ++column)
        view.setColumnHidden(column, !m_columns.empty());
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
