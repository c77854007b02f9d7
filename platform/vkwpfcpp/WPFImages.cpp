#include "vkwpfcpp/WPFImages.h"

#include "j3wpfcs/J3wpfcsLibrary.h"
#include "vkwpfcpp/WPFText.h"

#include <QFile>
#include <QHash>

QIcon CWPFImages::Find(const CString& assembly, const CString& name)
{
    static QHash<QString, QIcon> loaded;
    const QString assemblyName = CWPFText::ToQString(assembly);
    const QString root = assemblyName == QStringLiteral("j3wpfcs") ? CJ3wpfcsLibrary::ResourceRoot()
                                                                   : QStringLiteral(":/") + assemblyName;
    const QString path = root + QStringLiteral("/images/") + CWPFText::ToQString(name) + QStringLiteral(".png");
    auto found = loaded.constFind(path);
    if (found != loaded.constEnd())
        return *found;
    QIcon icon = QFile::exists(path) ? QIcon(path) : QIcon();
    loaded.insert(path, icon);
    return icon;
}
