#include "vkwpfcpp/WPFVKLTextBox.h"

#include "vkwpfcpp/WPFEventFilter.h"
#include "vkwpfcpp/WPFKeyEvent.h"
#include "vkwpfcpp/WPFKeyboardFocusChangedEvent.h"
#include "vkwpfcpp/WPFText.h"
#include "vkwpfcpp/WPFTextChangedEvent.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

CString CWPFVKLTextBox::GetData() const
{
    QLineEdit* edit = LineEdit();
    return edit ? CWPFText::FromQString(edit->text()) : CString();
}

void CWPFVKLTextBox::SetData(const CString& text)
{
    if (QLineEdit* edit = LineEdit())
        edit->setText(CWPFText::ToQString(text));
}

void CWPFVKLTextBox::Clear()
{
    if (QLineEdit* edit = LineEdit())
        edit->clear();
}

void CWPFVKLTextBox::SelectAll()
{
    if (QLineEdit* edit = LineEdit())
        edit->selectAll();
}

void CWPFVKLTextBox::SetIsReadOnly(bool readOnly)
{
    if (QLineEdit* edit = LineEdit())
        edit->setReadOnly(readOnly);
}

bool CWPFVKLTextBox::GetIsReadOnly() const
{
    QLineEdit* edit = LineEdit();
    return edit && edit->isReadOnly();
}

void CWPFVKLTextBox::DoAddOnReturnKey(CWPFEventHandlerOf<CWPFRoutedEvent>* handler)
{
    m_onReturnKey.Add(handler);
}

void CWPFVKLTextBox::DoAddOnKeyDown(CWPFEventHandlerOf<CWPFKeyEvent>* handler)
{
    m_onKeyDown.Add(handler);
}

void CWPFVKLTextBox::DoAddOnTextChanged(CWPFEventHandlerOf<CWPFTextChangedEvent>* handler)
{
    m_onTextChanged.Add(handler);
}

void CWPFVKLTextBox::DoAddOnGotKeyboardFocus(CWPFEventHandlerOf<CWPFKeyboardFocusChangedEvent>* handler)
{
    m_onGotFocus.Add(handler);
}

void CWPFVKLTextBox::DoAddOnLostKeyboardFocus(CWPFEventHandlerOf<CWPFKeyboardFocusChangedEvent>* handler)
{
    m_onLostFocus.Add(handler);
}

bool CWPFVKLTextBox::CanAttach(QObject* element) const
{
    return qobject_cast<QLineEdit*>(element) != nullptr;
}

void CWPFVKLTextBox::OnAttached()
{
    QLineEdit* edit = LineEdit();
    m_bHasFocus = edit->hasFocus();
    QObject::connect(edit, &QLineEdit::textChanged, EventContext(), [this](const QString& text) {
        CWPFTextChangedEvent event(this, CWPFText::FromQString(text));
        m_onTextChanged.Raise(event);
    });
    new CWPFEventFilter(
        edit,
        [this](QEvent* event) {
            switch (event->type()) {
            case QEvent::KeyPress: {
                auto* key = static_cast<QKeyEvent*>(event);
                return OnKeyPress(key->key(), static_cast<int>(key->modifiers().toInt()));
            }
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                OnFocusChange(event->type() == QEvent::FocusIn, static_cast<QFocusEvent*>(event)->reason());
                return false;
            default:
                return false;
            }
        },
        EventContext());
}

void CWPFVKLTextBox::OnFocusChange(bool got, Qt::FocusReason reason)
{
    // A box or window opening over the dialog takes the focus only for a
    // while: the box keeps its focus for the dialog, so got and lost always
    // alternate and mean moves of the user.
    if (!got && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason))
        return;
    if (got == m_bHasFocus)
        return;
    m_bHasFocus = got;
    CWPFKeyboardFocusChangedEvent event(this, got);
    (got ? m_onGotFocus : m_onLostFocus).Raise(event);
}

bool CWPFVKLTextBox::OnKeyPress(int key, int modifiers)
{
    CWPFKeyEvent keyEvent(this, key, modifiers);
    m_onKeyDown.Raise(keyEvent);
    if (keyEvent.GetHandled())
        return true;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_onReturnKey.IsEmpty()) {
        CWPFRoutedEvent returnEvent(this);
        m_onReturnKey.Raise(returnEvent);
        return true;
    }
    return false;
}

QLineEdit* CWPFVKLTextBox::LineEdit() const
{
    return qobject_cast<QLineEdit*>(GetElement());
}
