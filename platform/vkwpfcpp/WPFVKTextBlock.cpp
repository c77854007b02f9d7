#include "vkwpfcpp/WPFVKTextBlock.h"

#include "vkwpfcpp/WPFText.h"

#include <QLabel>

CString CWPFVKTextBlock::GetText() const
{
    auto* label = qobject_cast<QLabel*>(GetElement());
    return label ? CWPFText::FromQString(label->text()) : CString();
}

void CWPFVKTextBlock::SetText(const CString& text)
{
    if (auto* label = qobject_cast<QLabel*>(GetElement()))
        label->setText(CWPFText::ToQString(text));
}

bool CWPFVKTextBlock::CanAttach(QObject* element) const
{
    return qobject_cast<QLabel*>(element) != nullptr;
}
