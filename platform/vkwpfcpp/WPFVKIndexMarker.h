#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFWndBase.h"

class CWPFIndexMarkerStrip;
class CWPFRoutedEvent;

// The strip of index markers of a dialog: the coloured tabs of a file card
// along the top edge of the dialog's window (CWPFIndexMarkerStrip). The
// strip is made by the program, not by the markup: construct it, add the
// markers, attach it to the dialog, and call Close before deleting it.
class CWPFVKIndexMarker : public CWPFWndBase {
public:
    // name becomes the strip's element name; caption, when not empty, stands
    // at the strip's left before the tabs.
    CWPFVKIndexMarker(const CString& name, const CString& caption);
    ~CWPFVKIndexMarker() override;

    // Places the strip at the top of the dialog's window; false when the
    // dialog has no window yet.
    bool Attach(CWPFDialog* dialog);

    // Adds the next marker (shown until SetIsVisible hides it). displayOnly:
    // the markers only show, clicks raise nothing; changeable: the user may
    // change the markers' configuration, which the tabs show with a hand
    // cursor. colorSlot is the VKColor value of the marker's colour. The tool
    // tip registered for the marker (CWPFApplication) wins over toolTip.
    void AddMarker(bool displayOnly, bool changeable, const CString& text, const CString& toolTip, int colorSlot);
    void SetIsVisible(int marker, bool visible);
    bool GetIsVisible(int marker) const;
    int GetMarkerCount() const;

    // A click on a tab, unless the markers are display only.
    void DoAddOnClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler);

    // Takes the strip out of its dialog's window; the markers are gone.
    virtual void Close();

    CWPFIndexMarkerStrip* GetStrip() const;

private:
    void UpdateClickable();

    CWPFIndexMarkerStrip* m_pStrip; // owned until attached to a window
    CWPFEventList m_onClick;
    bool m_bDisplayOnly = false;
    bool m_bChangeable = false;
};
