#include "win32/HtmlHelp.h"

#include "win32/HelpPageBrowser.h"
#include "win32/HostFiles.h"
#include "win32/Win32Journal.h"
#include "win32/WindowHandle.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace {

QPointer<QTextBrowser>& HelpBrowser()
{
    static QPointer<QTextBrowser> browser;
    return browser;
}

struct SShownHelp {
    std::string file;
    std::string topic;
};

SShownHelp& Shown()
{
    static SShownHelp shown;
    return shown;
}

QTextBrowser* OpenBrowser()
{
    if (!HelpBrowser()) {
        auto* browser = new CHelpPageBrowser;
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->resize(720, 560);
        HelpBrowser() = browser;
    }
    return HelpBrowser();
}

void ShowTopic(QTextBrowser* browser, const QString& hostFile, const QString& topic, const QString& windowType)
{
    const QFileInfo page(hostFile + QLatin1Char('/') + topic);
    if (QFileInfo(hostFile).isDir() && page.isFile()) {
        browser->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    } else {
        browser->setHtml(QStringLiteral("<h2>%1</h2><p>%2</p>")
                             .arg(topic.toHtmlEscaped(), QFileInfo(hostFile).fileName().toHtmlEscaped()));
    }
    const QString title = QFileInfo(hostFile).fileName() + QStringLiteral(" - ") + topic;
    browser->setWindowTitle(windowType.isEmpty() ? title : windowType + QStringLiteral(": ") + title);
    browser->show();
    browser->raise();
}

} // namespace

HWND HtmlHelpA(HWND /*caller: the help window is top-level*/, LPCSTR helpFile, UINT command, DWORD_PTR data)
{
    const std::string fileText = helpFile ? helpFile : "";
    CWin32Journal::Record("HtmlHelp " + std::to_string(command) + " " + fileText);
    const std::size_t typeMark = fileText.find('>');
    const std::string windowsFile = fileText.substr(0, typeMark);
    const std::string windowType = typeMark == std::string::npos ? std::string() : fileText.substr(typeMark + 1);
    const std::string hostFile = CHostPaths::ToHost(windowsFile);
    if (hostFile.empty() || !qobject_cast<QApplication*>(QCoreApplication::instance()) ||
        !QFileInfo::exists(QString::fromStdString(hostFile)))
        return nullptr;

    switch (command) {
    case HH_DISPLAY_TOPIC: {
        const char* topic = reinterpret_cast<const char*>(data);
        Shown() = {windowsFile, topic ? topic : ""};
        QTextBrowser* browser = OpenBrowser();
        ShowTopic(browser, QString::fromStdString(hostFile), QString::fromLatin1(Shown().topic.c_str()),
                  QString::fromLatin1(windowType.c_str()));
        return HwndFromWidget(browser);
    }
    case HH_SYNC:
        return HelpBrowser() && Shown().file == windowsFile ? HwndFromWidget(HelpBrowser()) : nullptr;
    default:
        return nullptr;
    }
}

QWidget* CHtmlHelpWindow::Window()
{
    return HelpBrowser();
}

std::string CHtmlHelpWindow::ShownFile()
{
    return HelpBrowser() ? Shown().file : std::string();
}

std::string CHtmlHelpWindow::ShownTopic()
{
    return HelpBrowser() ? Shown().topic : std::string();
}
