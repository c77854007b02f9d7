#pragma once
#include "msgbox/ParamDescription.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

class QLineEdit;

// The window of the input box: one labelled line per field of a description,
// "OK" and "Abbrechen". A "zahl" field takes only integers. The first field
// has the focus with its text selected, so typing replaces the initial text.
class CParamBoxDialog : public QDialog {
public:
    CParamBoxDialog(const CParamDescription& description, const QString& title, QWidget* parent);

    // The texts of the fields, in order.
    QStringList Values() const;

private:
    bool AllNumbersComplete() const;

    std::vector<QLineEdit*> m_edits;
};
