#include "vkwpfcpp/WPFXmlTreeModel.h"

#include "vkwpfcpp/WPFImages.h"
#include "vkwpfcpp/WPFText.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<pugi::xml_node> ElementChildren(const pugi::xml_node& node)
{
    std::vector<pugi::xml_node> children;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element)
            children.push_back(child);
    return children;
}

bool EndsWith(const char* text, const char* ending)
{
    const std::size_t length = std::strlen(text);
    const std::size_t endingLength = std::strlen(ending);
    return length >= endingLength && std::strcmp(text + length - endingLength, ending) == 0;
}

CString ShownText(const pugi::xml_node& node)
{
    if (const char* text = node.child_value(); *text)
        return text;
    for (pugi::xml_attribute attribute : node.attributes())
        if (EndsWith(attribute.name(), "Name"))
            return attribute.value();
    return node.name();
}

} // namespace

CWPFXmlTreeModel::CWPFXmlTreeModel() = default;

CWPFXmlTreeModel::~CWPFXmlTreeModel() = default;

bool CWPFXmlTreeModel::Bind(const CString& document, const CString& rootName, const CString& itemPath)
{
    beginResetModel();
    m_topHolders.clear();
    m_document.reset();
    // The bytes stay as they are: the texts are Windows-1252, not UTF-8.
    const pugi::xml_parse_result parsed = m_document.load_buffer(
        document.GetString(), static_cast<std::size_t>(document.GetLength()), pugi::parse_default, pugi::encoding_utf8);
    const pugi::xml_node root = m_document.document_element();
    bool bound = parsed && root && rootName == root.name();
    if (bound) {
        try {
            for (const pugi::xpath_node& selected : root.select_nodes(itemPath.GetString()))
                if (selected.node().type() == pugi::node_element)
                    m_topHolders.push_back(selected.node());
        } catch (const pugi::xpath_exception&) {
            bound = false;
        }
    }
    if (!bound) {
        m_topHolders.clear();
        m_document.reset();
    }
    endResetModel();
    return bound;
}

int CWPFXmlTreeModel::RemoveNodes(const CString& path)
{
    const pugi::xml_node root = m_document.document_element();
    if (!root)
        return 0;
    pugi::xpath_node_set selected;
    try {
        selected = root.select_nodes(path.GetString());
    } catch (const pugi::xpath_exception&) {
        return -1;
    }
    int removed = 0;
    for (const pugi::xpath_node& found : selected) {
        pugi::xml_node node = found.node();
        if (node.type() != pugi::node_element || node == root)
            continue;
        const QModelIndex shown = IndexOf(node);
        if (shown.isValid()) {
            beginRemoveRows(shown.parent(), shown.row(), shown.row());
            node.parent().remove_child(node);
            endRemoveRows();
        } else {
            // Not a row, but it may hold rows (or be a holder of the top rows).
            beginResetModel();
            std::erase_if(m_topHolders, [&](const pugi::xml_node& holder) {
                for (pugi::xml_node up = holder; up; up = up.parent())
                    if (up == node)
                        return true;
                return false;
            });
            node.parent().remove_child(node);
            endResetModel();
        }
        ++removed;
    }
    return removed;
}

CString CWPFXmlTreeModel::ValueOf(const QModelIndex& index) const
{
    const pugi::xml_node node = NodeOf(index);
    return node ? CString(node.attribute("Value").value()) : CString();
}

QModelIndex CWPFXmlTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return QModelIndex();
    const std::vector<pugi::xml_node> children = ChildrenOf(parent);
    if (row >= static_cast<int>(children.size()))
        return QModelIndex();
    return createIndex(row, 0, children[static_cast<std::size_t>(row)].internal_object());
}

QModelIndex CWPFXmlTreeModel::parent(const QModelIndex& child) const
{
    const pugi::xml_node node = NodeOf(child);
    if (!node)
        return QModelIndex();
    const pugi::xml_node up = node.parent();
    if (IsTopHolder(up))
        return QModelIndex();
    return createIndex(RowOf(up), 0, up.internal_object());
}

int CWPFXmlTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(ChildrenOf(parent).size());
}

int CWPFXmlTreeModel::columnCount(const QModelIndex& /*parent*/) const
{
    return 1;
}

QVariant CWPFXmlTreeModel::data(const QModelIndex& index, int role) const
{
    const pugi::xml_node node = NodeOf(index);
    if (!node)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return CWPFText::ToQString(ShownText(node));
    case Qt::DecorationRole:
        if (const char* image = node.attribute("Image").value(); *image)
            return CWPFImages::Find(m_strAssembly, image);
        return QVariant();
    case ValueRole:
        return CWPFText::ToQString(ValueOf(index));
    default:
        return QVariant();
    }
}

Qt::ItemFlags CWPFXmlTreeModel::flags(const QModelIndex& index) const
{
    const pugi::xml_node node = NodeOf(index);
    if (!node)
        return Qt::NoItemFlags;
    if (std::strcmp(node.attribute("IsEnabled").value(), "False") == 0)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

pugi::xml_node CWPFXmlTreeModel::NodeOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return pugi::xml_node();
    return pugi::xml_node(static_cast<pugi::xml_node_struct*>(index.internalPointer()));
}

bool CWPFXmlTreeModel::IsTopHolder(const pugi::xml_node& node) const
{
    return std::find(m_topHolders.begin(), m_topHolders.end(), node) != m_topHolders.end();
}

std::vector<pugi::xml_node> CWPFXmlTreeModel::ChildrenOf(const QModelIndex& parent) const
{
    if (parent.isValid())
        return ElementChildren(NodeOf(parent));
    std::vector<pugi::xml_node> top;
    for (const pugi::xml_node& holder : m_topHolders) {
        std::vector<pugi::xml_node> children = ElementChildren(holder);
        top.insert(top.end(), children.begin(), children.end());
    }
    return top;
}

int CWPFXmlTreeModel::RowOf(const pugi::xml_node& node) const
{
    int row = 0;
    const pugi::xml_node up = node.parent();
    if (IsTopHolder(up)) {
        // Top rows are counted across every holder before this one.
        for (const pugi::xml_node& holder : m_topHolders) {
            if (holder == up)
                break;
            row += static_cast<int>(ElementChildren(holder).size());
        }
    }
    for (pugi::xml_node before = node.previous_sibling(); before; before = before.previous_sibling())
        if (before.type() == pugi::node_element)
            ++row;
    return row;
}

QModelIndex CWPFXmlTreeModel::IndexOf(const pugi::xml_node& node) const
{
    // A row is an element whose chain of parents reaches a holder.
    for (pugi::xml_node up = node.parent(); up; up = up.parent())
        if (IsTopHolder(up))
            return createIndex(RowOf(node), 0, node.internal_object());
    return QModelIndex();
}
