#pragma once
#include "vkwpfcpp/WPFWndBase.h"

#include <vector>

class CWPFFlowLayout;

// A panel that places its children in rows and wraps them to the next row
// when the row is full. It is either an element of the markup (any plain
// widget; it gets the wrapping layout when attached) or created at run time.
class CWPFWrapPanel : public CWPFWndBase {
public:
    CWPFWrapPanel();
    // Creates a new panel called name. horizontal true fills rows from left
    // to right; false is not offered by this toolkit and is treated alike.
    CWPFWrapPanel(const CString& name, bool horizontal);

    // Appends the child's element at the end; an element elsewhere moves here.
    void Add(CWPFWndBase* child);
    // Takes the child's element out of the panel (it is not destroyed); a
    // child of another panel is left alone.
    void Remove(CWPFWndBase* child);
    // Takes every element out of the panel and destroys them.
    void ClearChildren();
    // The names of the children in the order the panel shows them.
    std::vector<CString> GetItemNames() const;

protected:
    void OnAttached() override;
    CWPFFlowLayout* Flow() const;
    // A new child arrived; derived panels watch it.
    virtual void OnChildAdded(QWidget* child);
};
