#include "msgbox/ParamBoxDialog.h"

#include "winpath/AnsiCodePage.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString FromAnsi(const std::string& text)
{
    return QString::fromStdWString(winpath::AnsiToWide(text));
}

} // namespace

CParamBoxDialog::CParamBoxDialog(const CParamDescription& description, const QString& title, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    auto* form = new QFormLayout;
    for (const CParamDescription::SField& field : description.Fields()) {
        auto* edit = new QLineEdit(FromAnsi(field.initial), this);
        if (field.kind == CParamDescription::EKind::Number)
            edit->setValidator(new QIntValidator(edit));
        edit->setMinimumWidth(240);
        form->addRow(FromAnsi(field.label), edit);
        m_edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    // A number field may pass through "-" while being typed; such a text is
    // not a number and cannot be confirmed.
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    for (QLineEdit* edit : m_edits) {
        if (edit->validator() != nullptr)
            connect(edit, &QLineEdit::textChanged, this, [this, ok] { ok->setEnabled(AllNumbersComplete()); });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (!m_edits.empty()) {
        m_edits.front()->setFocus();
        m_edits.front()->selectAll();
    }
}

bool CParamBoxDialog::AllNumbersComplete() const
{
    return std::all_of(m_edits.begin(), m_edits.end(),
                       [](const QLineEdit* edit) { return edit->text().isEmpty() || edit->hasAcceptableInput(); });
}

QStringList CParamBoxDialog::Values() const
{
    QStringList values;
    for (const QLineEdit* edit : m_edits)
        values.append(edit->text());
    return values;
}
