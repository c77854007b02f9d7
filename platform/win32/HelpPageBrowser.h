#pragma once
#include <QTextBrowser>

// The help window's page view. The suite's help pages are written in the
// Windows ANSI code page and often declare no character set; read as UTF-8,
// their umlauts would show as replacement marks. A page that declares its
// character set is read as it says; one that does not is read as UTF-8 when it
// is valid UTF-8, and otherwise as Windows-1252.
class CHelpPageBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override;

    // The text of a help page's bytes, by the rule above.
    static QString DecodePage(const QByteArray& bytes);
};
