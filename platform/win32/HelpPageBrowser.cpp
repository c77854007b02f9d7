#include "win32/HelpPageBrowser.h"

#include "winpath/AnsiCodePage.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextDocument>
#include <QUrl>

namespace {

// A charset named in the page's head (a meta element or an XML declaration).
bool DeclaresCharset(const QByteArray& bytes)
{
    const QByteArray head = bytes.left(1024).toLower();
    return head.contains("charset") || head.contains("encoding=");
}

} // namespace

QString CHelpPageBrowser::DecodePage(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    const std::wstring wide = winpath::AnsiToWide(std::string_view(bytes.constData(), bytes.size()));
    return QString::fromStdWString(wide);
}

QVariant CHelpPageBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
        QFile page(name.toLocalFile());
        if (page.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = page.readAll();
            if (!DeclaresCharset(bytes))
                return DecodePage(bytes);
        }
    }
    return QTextBrowser::loadResource(type, name);
}
