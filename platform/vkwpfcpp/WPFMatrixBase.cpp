#include "vkwpfcpp/WPFMatrixBase.h"

#include "vkwpfcpp/WPFImages.h"
#include "vkwpfcpp/WPFText.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

Qt::Alignment AlignmentOf(int alignment)
{
    switch (alignment) {
    case 1:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

CWPFMatrixBase::CWPFMatrixBase(int columns) : m_nColumns(columns)
{
    if (columns < 1)
        throw std::invalid_argument("CWPFMatrix: a table needs at least one column, not " + std::to_string(columns));
    m_columns.resize(static_cast<std::size_t>(columns));
}

CWPFMatrixBase::~CWPFMatrixBase() = default;

int CWPFMatrixBase::Count() const
{
    if (m_cellSource)
        return m_nSourceRows;
    return static_cast<int>(m_cells.size() / static_cast<std::size_t>(m_nColumns));
}

int CWPFMatrixBase::CountAllRows()
{
    if (m_rowsUpTo) {
        m_nSourceRows = std::max(m_nSourceRows, m_rowsUpTo(std::numeric_limits<int>::max()));
        m_rowsUpTo = nullptr;
    }
    return Count();
}

void CWPFMatrixBase::CheckHeldRows(const char* operation) const
{
    if (m_cellSource)
        throw std::logic_error(std::string("CWPFMatrix: ") + operation +
                               " on rows whose texts the table does not hold");
}

int CWPFMatrixBase::DoAdd(const std::vector<CString>& row)
{
    CheckHeldRows("DoAdd");
    if (row.size() > static_cast<std::size_t>(m_nColumns))
        throw std::invalid_argument("CWPFMatrix: a row of " + std::to_string(row.size()) + " cells for a table of " +
                                    std::to_string(m_nColumns) + " columns");
    m_cells.insert(m_cells.end(), row.begin(), row.end());
    m_cells.resize(m_cells.size() + static_cast<std::size_t>(m_nColumns) - row.size());
    // Views learn of new rows in one batch: one announcement per row would
    // make a large list cost time in proportion to the square of its rows.
    if (!m_bFlushQueued && QCoreApplication::instance()) {
        m_bFlushQueued = true;
        QMetaObject::invokeMethod(
            this, [this] { FlushPendingRows(); }, Qt::QueuedConnection);
    }
    return Count() - 1;
}

void CWPFMatrixBase::Clear()
{
    beginResetModel();
    m_cells.clear();
    m_cellSource = nullptr;
    m_nSourceRows = 0;
    m_nBatchRows = 0;
    m_nPublishedRows = 0;
    m_rowsUpTo = nullptr;
    endResetModel();
}

void CWPFMatrixBase::SetRows(int rows, CellSource cellText)
{
    beginResetModel();
    m_cells.clear();
    m_nSourceRows = cellText ? std::max(rows, 0) : 0;
    m_cellSource = std::move(cellText);
    m_nBatchRows = 0;
    m_nPublishedRows = m_nSourceRows;
    m_rowsUpTo = nullptr;
    endResetModel();
}

void CWPFMatrixBase::SetRowsInBatches(int rows, CellSource cellText)
{
    beginResetModel();
    m_cells.clear();
    m_nSourceRows = cellText ? std::max(rows, 0) : 0;
    m_cellSource = std::move(cellText);
    m_nBatchRows = BatchRows;
    m_nPublishedRows = std::min(m_nSourceRows, BatchRows);
    m_rowsUpTo = nullptr;
    endResetModel();
}

void CWPFMatrixBase::SetRowsAsFound(CellSource cellText, RowsFound rowsUpTo)
{
    const int first = rowsUpTo(BatchRows);
    SetRowsInBatches(first, std::move(cellText));
    if (first >= BatchRows)
        m_rowsUpTo = std::move(rowsUpTo);
}

void CWPFMatrixBase::PublishRowsTo(int row)
{
    if (!m_cellSource)
        return;
    const int rows = std::min(row + 1, m_nSourceRows);
    if (rows <= m_nPublishedRows)
        return;
    beginInsertRows(QModelIndex(), m_nPublishedRows, rows - 1);
    m_nPublishedRows = rows;
    endInsertRows();
}

void CWPFMatrixBase::ExtendRows(int rows)
{
    if (!m_cellSource || rows <= m_nSourceRows)
        return;
    if (m_nBatchRows > 0) {
        // The views fetch the rest as they scroll to it; one more batch is
        // shown now, as a view that had reached the end of the rows shown
        // would not ask again.
        m_nSourceRows = rows;
        PublishRowsTo(m_nPublishedRows + m_nBatchRows - 1);
        return;
    }
    beginInsertRows(QModelIndex(), m_nSourceRows, rows - 1);
    m_nSourceRows = rows;
    m_nPublishedRows = rows;
    endInsertRows();
}

bool CWPFMatrixBase::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_cellSource && !m_bBatchesHeld && (m_nPublishedRows < m_nSourceRows || m_rowsUpTo);
}

void CWPFMatrixBase::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    const int wanted = m_nPublishedRows + m_nBatchRows;
    if (m_rowsUpTo && m_nSourceRows < wanted) {
        const int found = m_rowsUpTo(wanted);
        m_nSourceRows = std::max(m_nSourceRows, found);
        if (found < wanted)
            m_rowsUpTo = nullptr;
    }
    PublishRowsTo(wanted - 1);
}

void CWPFMatrixBase::FlushPendingRows()
{
    m_bFlushQueued = false;
    // Rows of a source are shown by SetRows and PublishRowsTo.
    if (m_cellSource)
        return;
    const int count = Count();
    if (count <= m_nPublishedRows)
        return;
    beginInsertRows(QModelIndex(), m_nPublishedRows, count - 1);
    m_nPublishedRows = count;
    endInsertRows();
}

std::size_t CWPFMatrixBase::CellIndex(int row, int column) const
{
    if (row < 0 || row >= Count())
        throw std::out_of_range("CWPFMatrix: row " + std::to_string(row) + " of " + std::to_string(Count()));
    CheckColumn(column);
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nColumns) + static_cast<std::size_t>(column);
}

void CWPFMatrixBase::CheckColumn(int column) const
{
    if (column < 0 || column >= m_nColumns)
        throw std::out_of_range("CWPFMatrix: column " + std::to_string(column) + " of " + std::to_string(m_nColumns));
}

CString CWPFMatrixBase::GetText(int row, int column) const
{
    const std::size_t cell = CellIndex(row, column);
    return m_cellSource ? m_cellSource(row, column) : m_cells[cell];
}

bool CWPFMatrixBase::GetFlag(int row, int column) const
{
    const CString text = GetText(row, column);
    return !text.IsEmpty() && text != "0";
}

void CWPFMatrixBase::SetText(int row, int column, const CString& text)
{
    CheckHeldRows("SetText");
    m_cells[CellIndex(row, column)] = text;
    if (row < m_nPublishedRows) {
        const QModelIndex cell = index(row, column);
        emit dataChanged(cell, cell);
    }
}

void CWPFMatrixBase::SetFlag(int row, int column, bool set)
{
    SetText(row, column, set ? "1" : "0");
}

void CWPFMatrixBase::SetColumnHeader(int column, const CString& header, const CString& toolTip)
{
    CheckColumn(column);
    m_columns[static_cast<std::size_t>(column)].header = CWPFText::ToQString(header);
    m_columns[static_cast<std::size_t>(column)].toolTip = CWPFText::ToQString(toolTip);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void CWPFMatrixBase::SetColumnAlignment(int column, int alignment)
{
    CheckColumn(column);
    m_columns[static_cast<std::size_t>(column)].alignment = AlignmentOf(alignment);
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (m_nPublishedRows > 0)
        emit dataChanged(index(0, column), index(m_nPublishedRows - 1, column));
}

void CWPFMatrixBase::SetCheckColumn(int column, bool check)
{
    CheckColumn(column);
    m_columns[static_cast<std::size_t>(column)].check = check;
    if (m_nPublishedRows > 0)
        emit dataChanged(index(0, column), index(m_nPublishedRows - 1, column));
}

void CWPFMatrixBase::SetImageColumn(int column, const CString& assembly)
{
    CheckColumn(column);
    m_columns[static_cast<std::size_t>(column)].imageAssembly = assembly;
    if (m_nPublishedRows > 0)
        emit dataChanged(index(0, column), index(m_nPublishedRows - 1, column));
}

int CWPFMatrixBase::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nPublishedRows;
}

int CWPFMatrixBase::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nColumns;
}

QVariant CWPFMatrixBase::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_nPublishedRows)
        return {};
    const SColumn& column = m_columns[static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        if (column.check || !column.imageAssembly.IsEmpty())
            return {};
        return CWPFText::Bounded(CWPFText::ToQString(GetText(index.row(), index.column())));
    case Qt::DecorationRole:
        if (column.imageAssembly.IsEmpty())
            return {};
        return CWPFImages::Find(column.imageAssembly, GetText(index.row(), index.column()));
    case Qt::CheckStateRole:
        if (!column.check)
            return {};
        return GetFlag(index.row(), index.column()) ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.alignment);
    default:
        return {};
    }
}

bool CWPFMatrixBase::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= m_nPublishedRows || role != Qt::CheckStateRole ||
        !m_columns[static_cast<std::size_t>(index.column())].check)
        return false;
    SetFlag(index.row(), index.column(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags CWPFMatrixBase::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid() && m_columns[static_cast<std::size_t>(index.column())].check)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

QVariant CWPFMatrixBase::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_nColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    const SColumn& column = m_columns[static_cast<std::size_t>(section)];
    switch (role) {
    case Qt::DisplayRole:
        return column.header;
    case Qt::ToolTipRole:
        return column.toolTip.isEmpty() ? QVariant() : QVariant(column.toolTip);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.alignment);
    default:
        return {};
    }
}
