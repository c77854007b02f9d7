#include "support/GuiApplication.h"

#include "support/UnexpectedWindowWatch.h"

#include <QApplication>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace j3test {

namespace {

// Ends the application when the tests are over, while Qt's own program-wide
// objects still exist: a QApplication left to the end of the program would
// outlive them and crash there.
class GuiEnvironment : public ::testing::Environment {
public:
    explicit GuiEnvironment(QApplication* application) : m_application(application) {}
    void TearDown() override { delete m_application; }

private:
    QApplication* m_application;
};

}  // namespace

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
    auto* application = new QApplication(argc, argv);
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment(application));
    UnexpectedWindowWatch::Start();
    return *application;
}

} // namespace j3test
