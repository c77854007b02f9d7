#include "vkwpfcpp/WPFMarkup.h"

#include "j3wpfcs/J3wpfcsLibrary.h"
#include "vkwpfcpp/WPFText.h"

#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QUiLoader>
#include <QWidget>

namespace {

// A label's text as read out: without the marks of its access key.
QString WithoutAccessKey(const QString& text)
{
    QString read;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        read += text[i];
    }
    return read;
}

void NameUnlessNamed(QWidget& element, const QString& name)
{
    if (element.accessibleName().isEmpty())
        element.setAccessibleName(WithoutAccessKey(name));
}

// What a screen reader tells of the elements: a label names the element it
// is the buddy of, a tab its page, a tool tip describes its element. Names
// and descriptions the markup gives stay.
void DescribeForScreenReaders(QWidget& root)
{
    for (QLabel* label : root.findChildren<QLabel*>())
        if (QWidget* buddy = label->buddy())
            NameUnlessNamed(*buddy, label->text());
    QList<QTabWidget*> tabControls = root.findChildren<QTabWidget*>();
    if (auto* rootTabs = qobject_cast<QTabWidget*>(&root))
        tabControls.prepend(rootTabs);
    for (QTabWidget* tabs : tabControls)
        for (int tab = 0; tab < tabs->count(); ++tab)
            NameUnlessNamed(*tabs->widget(tab), tabs->tabText(tab));
    QList<QWidget*> elements = root.findChildren<QWidget*>();
    elements.prepend(&root);
    for (QWidget* element : elements)
        if (element->accessibleDescription().isEmpty())
            element->setAccessibleDescription(element->toolTip());
}

} // namespace

QString CWPFMarkup::ResourcePath(const CString& markupKey, const CString& resourceAssembly)
{
    // Asking the library for its root keeps it loaded, and with it the
    // registration of its resources.
    const QString assembly = CWPFText::ToQString(resourceAssembly);
    const QString root =
        assembly == QStringLiteral("j3wpfcs") ? CJ3wpfcsLibrary::ResourceRoot() : QStringLiteral(":/") + assembly;
    return root + QLatin1Char('/') + CWPFText::ToQString(markupKey) + QStringLiteral(".ui");
}

QWidget* CWPFMarkup::Load(const CString& markupKey, const CString& resourceAssembly, QWidget* parent, QString& error)
{
    const QString path = ResourcePath(markupKey, resourceAssembly);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Die Dialogbeschreibung \"%1\" ist nicht vorhanden.").arg(path);
        return nullptr;
    }
    QUiLoader loader;
    QWidget* root = loader.load(&file, parent);
    if (root)
        DescribeForScreenReaders(*root);
    else
        error = QStringLiteral("Die Dialogbeschreibung \"%1\" kann nicht gelesen werden: %2")
                    .arg(path, loader.errorString());
    return root;
}
