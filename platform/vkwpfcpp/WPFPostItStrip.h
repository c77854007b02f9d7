#pragma once
#include "vkbasis/CString.h"

#include <QFrame>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The eInfo notes of a dialog: a strip of yellow notes above the content,
// each a small text area the user may edit, and a button for a new note.
// Notes are named "VKPOSTIT_0", "VKPOSTIT_1", ... and the button
// "VKPOSTIT_NEW".
class CWPFPostItStrip : public QFrame {
public:
    explicit CWPFPostItStrip(QWidget* parent);

    void Open(const std::vector<CString>& texts, bool patientNotes, bool readOnly);
    // The texts of the notes that are not empty, in order; the strip empties
    // and hides.
    std::vector<CString> Close();

private:
    QPlainTextEdit* AddNote(const CString& text);

    QLabel* m_pCaption;
    QHBoxLayout* m_pNotes;
    QPushButton* m_pNewNote;
    std::vector<QPlainTextEdit*> m_notes;
    bool m_bReadOnly = false;
};
