#include "vkwpfcpp/WPFMarkup.h"

#include "j3wpfcs/J3wpfcsLibrary.h"
#include "vkwpfcpp/WPFText.h"

#include <QFile>
#include <QUiLoader>
#include <QWidget>

QString CWPFMarkup::ResourcePath(const CString& markupKey, const CString& resourceAssembly)
{
    // Asking the library for its root keeps it loaded, and with it the
    // registration of its resources.
    const QString assembly = CWPFText::ToQString(resourceAssembly);
    const QString root = assembly == QStringLiteral("j3wpfcs") ? CJ3wpfcsLibrary::ResourceRoot()
                                                               : QStringLiteral(":/") + assembly;
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
    if (!root)
        error = QStringLiteral("Die Dialogbeschreibung \"%1\" kann nicht gelesen werden: %2")
                    .arg(path, loader.errorString());
    return root;
}
