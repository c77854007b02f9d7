#include "msgbox/Boxes.h"

#include "msgbox/BoxAnswerer.h"
#include "msgbox/ModalRun.h"
#include "msgbox/ParamBoxDialog.h"
#include "msgbox/ParamDescription.h"
#include "msgbox/StringTable.h"
#include "vkbasis/TerminalText.h"
#include "winpath/AnsiCodePage.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace {

bool CanShowWindows()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

QMessageBox::Icon IconOf(EBoxKind kind)
{
    switch (kind) {
    case EBoxKind::Error:
    case EBoxKind::VKError:
        return QMessageBox::Critical;
    case EBoxKind::Notice:
        return QMessageBox::Warning;
    case EBoxKind::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::Information;
    }
}

// Shows a message box to a person and returns its answer code.
int AskPerson(EBoxKind kind, const QString& caption, const QString& text, QWidget* parent)
{
    const bool question = kind == EBoxKind::Question;
    if (!CanShowWindows()) {
        std::fprintf(stderr, "%s: %s: %s\n", BoxKindName(kind), CTerminalText::Safe(caption.toStdString()).c_str(),
                     CTerminalText::Message(text.toStdString()).c_str());
        return question ? BOX_NO : BOX_OK;
    }
    QMessageBox box(IconOf(kind), caption, text, QMessageBox::NoButton, parent);
    if (!question) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        CModalRun::Exec(box);
        return BOX_OK;
    }
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    CModalRun::Exec(box);
    return box.clickedButton() == yes ? BOX_YES : BOX_NO;
}

int ShowBox(EBoxKind kind, const QString& caption, const QString& text, QWidget* parent)
{
    if (CBoxAnswerer* answerer = CBoxAnswerer::Installed()) {
        SBoxRecord record{kind, caption.toStdString(), text.toStdString()};
        return kind == EBoxKind::Question ? answerer->AnswerQuestion(record) : answerer->AnswerNotice(record);
    }
    return AskPerson(kind, caption, text, parent);
}

int ShowBox(EBoxKind kind, const CBoxText& caption, const CBoxText& text, QWidget* parent)
{
    return ShowBox(kind, caption.ToQString(), text.ToQString(), parent);
}

std::string ToAnsi(const QString& text)
{
    return winpath::WideToAnsi(text.toStdWString());
}

// The entered texts of an input box: from the answerer, or from a person.
// Returns false when the box was cancelled.
bool AskInput(const CParamDescription& description, const QString& title, QWidget* parent,
              std::vector<std::string>& values)
{
    if (CBoxAnswerer* answerer = CBoxAnswerer::Installed()) {
        const CBoxAnswerer::SAnswer answer = answerer->TakeInputAnswer();
        for (const std::string& input : answer.inputs)
            values.push_back(ToAnsi(QString::fromStdString(input)));
        return answer.code != 0;
    }
    if (!CanShowWindows()) {
        std::fprintf(stderr, "VKParamBox: %s: no window can be shown, cancelled\n",
                     CTerminalText::Safe(title.toStdString()).c_str());
        return false;
    }
    CParamBoxDialog dialog(description, title, parent);
    if (CModalRun::Exec(dialog) != QDialog::Accepted)
        return false;
    for (const QString& value : dialog.Values())
        values.push_back(ToAnsi(value));
    return true;
}

} // namespace

int HaltE(const CBoxText& caption, const CBoxText& text, QWidget* parent)
{
    return ShowBox(EBoxKind::Error, caption, text, parent);
}

int HaltI(const CBoxText& caption, const CBoxText& text, QWidget* parent)
{
    return ShowBox(EBoxKind::Notice, caption, text, parent);
}

int Halt(const CBoxText& caption, const CBoxText& text, QWidget* parent)
{
    return ShowBox(EBoxKind::Plain, caption, text, parent);
}

int VKHaltE(const CBoxText& caption, const CBoxText& text, QWidget* parent)
{
    return ShowBox(EBoxKind::VKError, caption, text, parent);
}

int SollIch(const CBoxText& caption, const CBoxText& text, QWidget* parent)
{
    return ShowBox(EBoxKind::Question, caption, text, parent);
}

int VKParamBox(CString& description, QWidget* parent, const CBoxText& title)
{
    std::string fault;
    const std::optional<CParamDescription> parsed = CParamDescription::Parse(description.str(), fault);
    if (!parsed) {
        ShowBox(EBoxKind::VKError, CStringTable::Text(1),
                QStringLiteral("Ungültige Beschreibung des Eingabefensters \"%1\": %2")
                    .arg(title.ToQString(), QString::fromStdString(fault)),
                parent);
        return 0;
    }
    std::vector<std::string> values;
    const bool confirmed = AskInput(*parsed, title.ToQString(), parent, values);
    SBoxRecord record{EBoxKind::Input, title.ToUtf8(), CBoxText(description).ToUtf8(), confirmed ? BOX_OK : 0};
    if (confirmed)
        description = CString(parsed->Fill(values));
    if (CBoxAnswerer* answerer = CBoxAnswerer::Installed())
        answerer->Record(record);
    return record.answer;
}
