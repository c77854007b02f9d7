#include "vkwpfcpp/WPFPostItStrip.h"

#include "vkwpfcpp/WPFFocusChain.h"
#include "vkwpfcpp/WPFText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr int kNoteWidth = 160;
constexpr int kNoteHeight = 72;

} // namespace

CWPFPostItStrip::CWPFPostItStrip(QWidget* parent)
    : QFrame(parent), m_pCaption(new QLabel(this)), m_pNotes(new QHBoxLayout), m_pNewNote(new QPushButton(this))
{
    setObjectName(QStringLiteral("VKPOSTITS"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(m_pCaption, 0, Qt::AlignTop);
    layout->addLayout(m_pNotes);
    layout->addWidget(m_pNewNote, 0, Qt::AlignTop);
    layout->addStretch(1);
    m_pNewNote->setObjectName(QStringLiteral("VKPOSTIT_NEW"));
    m_pNewNote->setText(QStringLiteral("Neue eInfo"));
    m_pNewNote->setAutoDefault(false);
    QObject::connect(m_pNewNote, &QPushButton::clicked, this, [this] { AddNote(CString())->setFocus(); });
    hide();
}

void CWPFPostItStrip::Open(const std::vector<CString>& texts, bool patientNotes, bool readOnly)
{
    Close();
    m_bReadOnly = readOnly;
    m_pCaption->setText(patientNotes ? QStringLiteral("eInfo Patient:") : QStringLiteral("eInfo:"));
    for (const CString& text : texts)
        AddNote(text);
    m_pNewNote->setVisible(!readOnly);
    show();
}

std::vector<CString> CWPFPostItStrip::Close()
{
    std::vector<CString> texts;
    for (QPlainTextEdit* note : m_notes) {
        const QString text = note->toPlainText();
        if (!text.isEmpty())
            texts.push_back(CWPFText::FromQString(text));
        delete note;
    }
    m_notes.clear();
    hide();
    return texts;
}

QPlainTextEdit* CWPFPostItStrip::AddNote(const CString& text)
{
    auto* note = new QPlainTextEdit(this);
    note->setObjectName(QStringLiteral("VKPOSTIT_%1").arg(m_notes.size()));
    note->setPlainText(CWPFText::ToQString(text));
    note->setReadOnly(m_bReadOnly);
    note->setAccessibleName(QStringLiteral("Notiz %1").arg(m_notes.size() + 1));
    // Tab leaves the note, so that the keyboard reaches what follows it.
    note->setTabChangesFocus(true);
    note->setFixedSize(kNoteWidth, kNoteHeight);
    note->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fff59d; color: #3e2f00; "
                                       "border: 1px solid #e0c84a; }"));
    m_pNotes->addWidget(note);
    CWPFFocusChain::PlaceBefore(*m_pNewNote, *note);
    m_notes.push_back(note);
    return note;
}
