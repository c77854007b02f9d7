#pragma once
#include "vkbasis/CString.h"
#include "vkwpfcpp/WPFWndBase.h"
#include "vkwpfcpp/WindowPlacement.h"
#include "win32/RuntimeClass.h"

#include <QPointer>
#include <memory>
#include <vector>

class CWPFDialogWindow;
class CWPFPostItStrip;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// Values of SetWindowStartupLocation.
enum EVKStartupLocation { VKStartupManual = 0, VKStartupCenterScreen = 1, VKStartupCenterOwner = 2 };
// Values of SetSizeToContent.
enum EVKSizeToContent { VKSizeManual = 0, VKSizeWidth = 1, VKSizeHeight = 2, VKSizeWidthAndHeight = 3 };

// A dialog of the toolkit: a window whose content is the markup stored
// under a markup key in a resource assembly (":/<assembly>/<key>.ui"), with
// a frame of standard buttons (VKButtonClass.h) below it and a strip of
// eInfo notes above it.
//
// DoModal builds the window and calls, in this order: OnInitDialog (the
// markup is loaded, elements can be attached), AfterInitDialog (before the
// window shows; placement is applied here), OnContentRendered (once, after
// the window first showed), then the event handlers; confirming calls
// OnSaveAndExit, cancelling (the Abbrechen button, Escape, the window's close
// button) calls OnExit. EndDialog(code) then calls OnClosing, which may
// refuse the end; otherwise DoModal returns the code. Each of these calls
// runs inside the toolkit's exception guard (CWPFEventHandler).
//
// EndDialog during OnInitDialog or AfterInitDialog ends the dialog before
// it ever shows (OnClosing still runs, OnContentRendered does not).
//
// Help, the help button and the suite's hotkey are left to the registered
// system-services object (gp_VKSysBase): right after OnInitDialog it may
// disable the help button, F1 and "Hilfe" ask it for the help, Ctrl+Shift+J
// (kVKHotkey) hands it the dialog. Without one, none of these does anything.
class CWPFDialog {
public:
    // parent may be null; the dialog is modal to its parent's window.
    CWPFDialog(const CString& markupKey, const CString& resourceAssembly, QWidget* parent);
    virtual ~CWPFDialog();
    CWPFDialog(const CWPFDialog&) = delete;
    CWPFDialog& operator=(const CWPFDialog&) = delete;

    static const CRuntimeClass classCWPFDialog;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCWPFDialog; }

    const CString& GetMarkupKey() const { return m_strMarkupKey; }
    const CString& GetResourceAssembly() const { return m_strResourceAssembly; }
    QWidget* GetParentWindow() const;

    // Runs the dialog modally; the code given to EndDialog, or -1 when the
    // markup cannot be loaded (an error box says which).
    int DoModal();
    void EndDialog(int code);
    bool IsContentRendered() const { return m_bContentRendered; }

    virtual CWPFWndBase* OnInitDialog();
    virtual void AfterInitDialog();
    virtual void OnContentRendered();
    virtual void OnClosing(bool& cancel);
    // Cancel: ends with 2.
    virtual void OnExit();
    // Confirm: ends with 1.
    virtual void OnSaveAndExit();
    // The frame's further buttons; help (also F1) asks the registered system
    // services (gp_VKSysBase) to show the dialog's help, select confirms, the
    // others do nothing until a dialog gives them a meaning.
    virtual void OnHelp();
    virtual void OnSelect();
    virtual void OnPrint();
    virtual void OnZoom();
    virtual void OnSearch();

    void SetTitle(const CString& title);
    CString GetTitle() const;
    // The help name (by convention the path of the dialog's source file);
    // the registered system services derive help file and topic from it.
    // Without a registered services object the dialog has no help.
    void SetHelpName(const CString& name);
    const CString& GetHelpName() const { return m_strHelpName; }
    void SetHelpFile(const CString& file) { m_strHelpFile = file; }
    const CString& GetHelpFile() const { return m_strHelpFile; }
    void SetHelpTopic(const CString& topic) { m_strHelpTopic = topic; }
    const CString& GetHelpTopic() const { return m_strHelpTopic; }
    // The two emoji of a patient, shown at the left of the button frame; a
    // text "U+<hex>" shows as that character.
    void SetEmoji(const CString& first, const CString& second);
    void GetEmoji(CString& first, CString& second) const;

    // Start-up location (EVKStartupLocation, default centred on the parent,
    // or on the screen without one) and size-to-content mode
    // (EVKSizeToContent, default manual: the size the markup gives). Both
    // take effect when the window first shows.
    void SetWindowStartupLocation(int location);
    void SetSizeToContent(int mode);

    // Read and write the placement of the window. False when the record's
    // length is not sizeof(WINDOWPLACEMENT) or there is no window (before
    // DoModal). A minimised show command restores the window normally: a
    // minimised modal dialog would block its program unseen.
    bool GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    bool SetWindowPlacement(const WINDOWPLACEMENT* placement);

    // Standard buttons by class number (VKButtonClass.h). SetIsEnabled
    // changes a button the frame has and is false otherwise; ShowAndEnable
    // shows and enables the button (adding it to the frame when needed) or
    // hides it. Both false before DoModal.
    bool SetIsEnabled(int buttonClass, bool enabled);
    bool ShowAndEnable(int buttonClass, bool show);

    // Shows the texts as eInfo notes above the content. patientNotes marks
    // them as the notes of a patient rather than of the dialog; readOnly lets
    // the user read but not change or add notes. Replaces notes already open.
    void OpenVKPostIts(const std::vector<CString>& texts, bool patientNotes, bool readOnly);
    // Closes the notes and hands back their texts in order; notes the user
    // emptied are left out. No open notes give an empty list.
    void CloseVKPostIts(std::vector<CString>& texts);

    // The window while DoModal runs and after it, until the next DoModal or
    // the end of the dialog object; null before.
    QDialog* GetWindow() const;
    QPushButton* GetFrameButton(int buttonClass) const;
    // The element of that name in the loaded markup, null when none.
    QObject* FindElement(const CString& name) const;

private:
    friend class CWPFDialogWindow;

    bool BuildWindow();
    void RunFrameButton(int buttonClass);
    // The suite's hotkey (kVKHotkey) goes to the registered system services.
    void RunHotkey();
    void RequestCancel();
    bool FinishEnd();
    void ContentRendered();
    void ApplyStartupGeometry();
    QPushButton* AddFrameButton(int buttonClass);
    QWidget* Frame() const;

    CString m_strMarkupKey;
    CString m_strResourceAssembly;
    QPointer<QWidget> m_pParent;
    // The window is also a child of the parent window, which may delete it.
    QPointer<CWPFDialogWindow> m_window;
    QPointer<QWidget> m_markupRoot;
    QPointer<QLabel> m_emojiLabel;
    CWPFPostItStrip* m_pPostIts = nullptr;
    // Notes opened while there is no window wait here for it.
    std::vector<CString> m_pendingNotes;
    bool m_bNotesPending = false;
    bool m_bPendingPatientNotes = false;
    bool m_bPendingReadOnly = false;
    CWPFWndBase m_root;
    CString m_strTitle;
    CString m_strHelpName;
    CString m_strHelpFile;
    CString m_strHelpTopic;
    CString m_strEmoji1;
    CString m_strEmoji2;
    int m_nStartupLocation = VKStartupCenterOwner;
    int m_nSizeToContent = VKSizeManual;
    int m_nEndCode = 0;
    bool m_bEndRequested = false;
    bool m_bClosing = false;
    bool m_bRunning = false;
    bool m_bContentRendered = false;
};
