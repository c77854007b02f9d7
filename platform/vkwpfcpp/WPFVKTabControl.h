#pragma once
#include "vkwpfcpp/WPFWndBase.h"

class CWPFDialog;
class QTabWidget;

// A tab control that brings its own markup: Load reads the markup (whose root
// element is a QTabWidget) and Create places it into an element of the
// hosting window. Tabs can be added at run time. The control owns the loaded
// element tree.
class CWPFVKTabControl : public CWPFWndBase {
public:
    CWPFVKTabControl();
    ~CWPFVKTabControl() override;

    // Scales the control's text by factor (1 is the normal size).
    virtual void SetScale(double factor);
    // Places the control as the only content of parent's element; false when
    // there is nothing to place or nowhere to place it.
    virtual bool Create(CWPFWndBase* parent);
    // Takes the control off the screen and deletes its elements.
    virtual void Destroy();

    // Loads the markup stored under key in the resource assembly; the owner's
    // window (when it has one) holds it until Create places it. False, with
    // an error box, when the markup is missing or its root is no tab control.
    bool Load(CWPFDialog* owner, const CString& key, const CString& assembly);

    // Appends a tab with that header showing the element; its index.
    int Add(const CString& header, CWPFWndBase* element);
    int GetSelectedIndex() const;
    void SetSelectedIndex(int index);
    int GetTabCount() const;
    CString GetTabHeader(int index) const;
    void SetMinHeight(double height);

protected:
    bool CanAttach(QObject* element) const override;
    QTabWidget* Tabs() const;

private:
    double m_dBaseFontSize = 0;
};
