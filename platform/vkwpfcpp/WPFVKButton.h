#pragma once
#include "vkwpfcpp/WPFEventHandlerOf.h"
#include "vkwpfcpp/WPFEventList.h"
#include "vkwpfcpp/WPFWndBase.h"

class CWPFRoutedEvent;
class QAbstractButton;

// Values of the orientation of a button's image and text.
enum EVKOrientation { VKOrientationHorizontal = 0, VKOrientationVertical = 1 };

// A push button (any QAbstractButton in the markup), or a button created at
// run time: button class 0 is a flat tile that shows an image from a
// resource assembly, with the text beside it (orientation 0) or below it
// (orientation 1). A tile's text is a name, shown as it is ("&" is no
// shortcut marker there) and also as its tool tip, since a long one is cut.
class CWPFVKButton : public CWPFWndBase {
public:
    CWPFVKButton();
    CWPFVKButton(const CString& name, int buttonClass, int orientation, const CString& text);

    CString GetText() const;
    void SetText(const CString& text);
    // Presses the button as a click of the user would (nothing when disabled).
    void Click();

    // The resource assembly of the image, then the image's name and size.
    void SetModule(const CString& assembly) { m_strModule = assembly; }
    void SetImage(const CString& name);
    void SetImageSize(int size);

    void DoAddOnClick(CWPFEventHandlerOf<CWPFRoutedEvent>* handler);

protected:
    bool CanAttach(QObject* element) const override;
    void OnAttached() override;
    QAbstractButton* Button() const;
    // A new tile for the run-time constructors, which attach it themselves
    // so that the wrapper's own OnAttached runs.
    QAbstractButton* NewTile(const CString& name, int buttonClass, int orientation);

private:
    CWPFEventList m_onClick;
    CString m_strModule;
    bool m_bPlainText = false;
};
