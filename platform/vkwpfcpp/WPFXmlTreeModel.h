#pragma once
#include "vkbasis/CString.h"

#include <QAbstractItemModel>
#include <pugixml.hpp>

// The rows of a tree view over an XML document, without a copy of it: every
// row is an element of the document. The top rows are the element children
// of the elements that the item path selects below the root; the rows below
// a row are its element children.
//
// What a row shows: its own text, or else the value of its first attribute
// whose name ends in "Name", or else its element name; the image named by
// its attribute "Image"; an attribute IsEnabled="False" shows it disabled,
// and it cannot be chosen. Its attribute "Value" is its value (ValueRole).
//
// Texts in the document are 8-bit Windows-1252, as the toolkit's texts are.
class CWPFXmlTreeModel : public QAbstractItemModel {
public:
    static constexpr int ValueRole = Qt::UserRole + 1;

    CWPFXmlTreeModel();
    ~CWPFXmlTreeModel() override;

    // Reads the document; false, leaving the model empty, when it cannot be
    // read, its root element is not called rootName or the item path is no
    // valid path.
    bool Bind(const CString& document, const CString& rootName, const CString& itemPath);
    // Removes the elements that the path selects from the root element on,
    // with their rows; the number removed, -1 for a path that is not valid.
    int RemoveNodes(const CString& path);
    void SetImageAssembly(const CString& assembly) { m_strAssembly = assembly; }
    CString ValueOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    pugi::xml_node NodeOf(const QModelIndex& index) const;
    bool IsTopHolder(const pugi::xml_node& node) const;
    // The element children of the row (the top rows for an invalid index).
    std::vector<pugi::xml_node> ChildrenOf(const QModelIndex& parent) const;
    int RowOf(const pugi::xml_node& node) const;
    QModelIndex IndexOf(const pugi::xml_node& node) const;

    pugi::xml_document m_document;
    std::vector<pugi::xml_node> m_topHolders;
    CString m_strAssembly = "j3wpfcs";
};
