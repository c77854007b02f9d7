#include "support/GuiApplication.h"

#include <QApplication>
#include <QtGlobal>

namespace j3test {

QApplication& GuiApplication::Instance()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // QApplication keeps references to argc and argv for its whole life.
    static int argc = 1;
    static char programName[] = "j3test";
    static char* argv[] = {programName, nullptr};
    static QApplication application(argc, argv);
    return application;
}

} // namespace j3test
