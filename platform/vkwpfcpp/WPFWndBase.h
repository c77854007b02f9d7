#pragma once
#include "vkbasis/CString.h"

#include <QPointer>
#include <memory>

class CWPFDialog;
class QObject;
class QWidget;

// Values of SetVisibility / GetVisibility.
enum EVKVisibility { VKVisible = 0, VKHidden = 1, VKCollapsed = 2 };

// Base of the element wrappers: binds to one element of a dialog's loaded
// markup by its name (the objectName in the .ui file). Until it is attached,
// and after its dialog's window is gone, every operation does nothing and
// every query answers the default.
class CWPFWndBase {
public:
    CWPFWndBase();
    virtual ~CWPFWndBase();
    CWPFWndBase(const CWPFWndBase&) = delete;
    CWPFWndBase& operator=(const CWPFWndBase&) = delete;

    // Binds to the element called name in the dialog's markup, or below the
    // container element. False, and left unbound, when there is no element
    // of that name or it is of a kind this wrapper cannot drive.
    bool Attach(CWPFDialog* dialog, const CString& name);
    bool Attach(CWPFWndBase* container, const CString& name);
    // Binds to an element the program created itself (not owned).
    bool Attach(QObject* element);
    // Binds to an element this wrapper created at run time; the wrapper owns
    // it and deletes it when the wrapper goes, unless a parent deleted it first.
    bool AttachCreated(QWidget* element);
    bool IsAttached() const { return !m_element.isNull(); }

    CString GetName() const;
    void SetIsEnabled(bool enabled);
    bool GetIsEnabled() const;
    // 0 visible, 1 hidden (keeps its space), 2 collapsed (takes no space).
    void SetVisibility(int visibility);
    int GetVisibility() const;
    void Focus();
    bool HasFocus() const;
    // A width or height in pixels; a negative or not-a-number value gives the
    // element back its natural size, as an automatic size does.
    void SetWidth(double width);
    void SetHeight(double height);
    void SetToolTip(const CString& toolTip);

    QObject* GetElement() const { return m_element.data(); }
    QWidget* GetWidget() const;
    // Hides an element created at run time and deletes it once the event
    // being handled is over.
    static void DisposeElement(QWidget* element);

protected:
    // Whether this wrapper can drive the element; the base takes widgets.
    virtual bool CanAttach(QObject* element) const;
    // Connects the element's signals to the wrapper's events. Connections
    // made with EventContext() as receiver end with the binding.
    virtual void OnAttached();
    QObject* EventContext() const { return m_context.get(); }

private:
    QPointer<QObject> m_element;
    std::unique_ptr<QObject> m_context;
    bool m_bOwnsElement = false;
};
