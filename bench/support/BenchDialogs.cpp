#include "support/BenchDialogs.h"

#include "vkbasis/PlatformChatterFilter.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/WPFDialog.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cstdlib>

namespace {

QApplication& StartApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The figures are read from the output; the platform's notes would bury them.
    CPlatformChatterFilter::Install();
    static int argc = 1;
    static char name[] = "j3bench";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

} // namespace

namespace j3bench {

QApplication& Application()
{
    static QApplication& application = StartApplication();
    return application;
}

void RunWhenShown(CWPFDialog& dialog, const std::function<void(QDialog&)>& whenShown)
{
    Application();
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QDialog* window = dialog.GetWindow();
        if (!window || !dialog.IsContentRendered())
            return;
        poll.stop();
        window->activateWindow();
        while (!window->isActiveWindow())
            QApplication::processEvents();
        whenShown(*window);
    });
    poll.start();
    dialog.DoModal();
}

BenchPractice::BenchPractice(const std::function<bool()>& fill)
{
    char pattern[] = "/tmp/j3bench-XXXXXX";
    if (!mkdtemp(pattern))
        std::abort();
    m_folder = pattern;
    if (!dbDatabase.Create(m_folder / "praxis.db") || !fill())
        std::abort();
}

BenchPractice::~BenchPractice()
{
    dbDatabase.Close();
    std::filesystem::remove_all(m_folder);
}

} // namespace j3bench
