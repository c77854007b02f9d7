#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFWndBase.h"

#include <memory>

class CWPFKeyEvent;
class CWPFMouseButtonEvent;
class CWPFXmlTreeModel;
class QTreeView;

// A tree (a QTreeView in the markup) that shows an XML document: see
// CWPFXmlTreeModel for which elements become rows and what they show.
class CWPFVKLTreeView : public CWPFWndBase {
public:
    CWPFVKLTreeView();
    ~CWPFVKLTreeView() override;

    // Shows the document (8-bit text) whose root element is called rootName;
    // the item path, taken from the root, selects the elements whose
    // children are the top rows ("." : the root's own children). False, and
    // an empty tree, when the document cannot be read or does not fit.
    bool BindXML(const CString& document, const CString& rootName, const CString& itemPath);
    // The attribute "Value" of the chosen row; empty when none is chosen.
    CString GetSelectedValue() const;
    // Removes the elements that the XPath (taken from the root element)
    // selects, with their rows; false for a path that is not valid.
    bool RemoveXMLNode(const CString& path);

    // The event's row is the row under the pointer within its parent, -1
    // when the pointer was on no row.
    void DoAddOnMouseDoubleClick(CWPFEventHandlerOf<CWPFMouseButtonEvent>* handler);
    // A key pressed in the tree; a handler that sets Handled keeps it from
    // the tree and the dialog (Return then does not reach the OK button).
    void DoAddOnKeyDown(CWPFEventHandlerOf<CWPFKeyEvent>* handler);

    CWPFXmlTreeModel* GetModel() const { return m_model.get(); }

protected:
    bool CanAttach(QObject* element) const override;
    void OnAttached() override;

private:
    QTreeView* View() const;

    std::unique_ptr<CWPFXmlTreeModel> m_model;
    CWPFEventList m_onMouseDoubleClick;
    CWPFEventList m_onKeyDown;
};
