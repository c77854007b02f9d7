#pragma once
#include "J3Dialoge/WPFJ3Dialog.h"
#include "vkwpfcpp/WPFVKLTextBox.h"

class CJPat;
class CWPFKeyboardFocusChangedEvent;

// Base of the dialogs with a patient field: the text box "VKS_PAT" of the
// deriving dialog's markup, in which the user types a patient number or a
// part of a name. Leaving the field looks the text up: a known number shows
// as the number, "-" and the patient's name; anything else opens the
// patient choice of "j3patwahl.dll" with the typed text. While the field
// has the focus the search button ("Suchen") is enabled.
//
// m_strPatNr holds the chosen patient's number, ten characters right-aligned
// with blanks, or is empty.
class CDiaPatSearchEdit : public CWPFJ3Dialog {
public:
    CDiaPatSearchEdit(const CString& markupKey, const CString& resourceAssembly, QWidget* parent);

    // The field got the focus.
    virtual bool OnEnterPatSearch();
    // The field lost the focus; true when it now shows another patient than before.
    virtual bool OnExitPatSearch();
    virtual void EnableSearch();
    virtual void DisableSearch();

    CWPFWndBase* OnInitDialog() override;

protected:
    // The search button's work: the patient choice for the current patient,
    // only while the field has the focus.
    bool DoPatSearch();
    // Surname, ", " first name, " *" birth date for display.
    CString BuildPatName(CJPat& patient);
    bool GetPatName(const CString& nr, CString& name);

    CString m_strPatNr;
    CWPFVKLTextBox m_editPat;
    // Set by the deriving dialog: leaving a filled field checks nothing.
    bool m_bNoExitCheck = false;

private:
    void OnOnEnterVksPat(CWPFKeyboardFocusChangedEvent& event);
    void OnOnExitVksPat(CWPFKeyboardFocusChangedEvent& event);

    bool SuchePat(CString& nr, CWPFVKLTextBox& field);
    bool GetPatAusWahl(CString& nr, CString& name);
    bool DoExitPatient(CString& nr, CWPFVKLTextBox& field);
    // False, after a notice, when the field holds characters that an 8-bit
    // patient number or name cannot hold: looking up a changed text would
    // find or choose another patient than the one typed.
    bool IsStorable();
};
