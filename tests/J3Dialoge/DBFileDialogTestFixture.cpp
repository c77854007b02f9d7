#include "DBFileDialogTestFixture.h"

#include <cstdlib>
#include <fstream>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "vkdb/VKDatabase.h"
#include "j3params/J3MachineConfig.h"
#include "support/DialogDriver.h"
#include "support/GuiApplication.h"

void DBFileDialogTestFixture::SetUp()
{
    FileStoreFixture::SetUp();
    const std::string file = m_configFolder.file("j3machine.ini");
    std::ofstream(file) << "[paths]\ndata = C:\\P\\Data\\\nqa = C:\\P\\QA\\\n";
    setenv("J3_CONFIG", file.c_str(), 1);
    std::string error;
    ASSERT_TRUE(CJ3MachineConfig::ReloadCurrent(error)) << error;
    j3test::GuiApplication::Instance();
    // Stands in the title of a dialog without a parent window.
    QApplication::setApplicationDisplayName("Praxis");
    // Dialogs keep their placement and list layout here, on this
    // workstation and on the first one.
    for (const int workstation : {std::atoi(dbLfdWorkstation), 1}) {
        CJParPool pool(&dbDatabase, nullptr);
        pool.m_strNr = "269";
        pool.m_strKey.Format("savewps%03d", workstation);
        pool.m_strValue = "1";
        ASSERT_TRUE(pool.GetByK1(0) == CVKRSet::FOUND || pool.Write(""));
    }
}

void DBFileDialogTestFixture::TearDown()
{
    unsetenv("J3_CONFIG");
    std::string ignored;
    CJ3MachineConfig::ReloadCurrent(ignored);
    FileStoreFixture::TearDown();
}

SDBFileDialogParams DBFileDialogTestFixture::Params(int open, const char* initialDir, const char* filter, bool up,
                                                    bool down, unsigned int flags)
{
    return SDBFileDialogParams{open, nullptr, nullptr, flags, filter, nullptr, 0, 0, initialDir, up, down};
}

CString DBFileDialogTestFixture::RunPlain(const SDBFileDialogParams& params, j3test::DialogDriver steps)
{
    CString result;
    PlayWhenModal([&] { result = J3GetPathNameFromDBFileDialog(params); },
                  [&](QDialog& window) { steps.PlayOn(window); });
    return result;
}

void DBFileDialogTestFixture::PlayWhenModal(const std::function<void()>& run,
                                            const std::function<void(QDialog&)>& script)
{
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible() || !QTest::qWaitForWindowExposed(window, 2000))
            return;
        poll.stop();
        script(*window);
    });
    poll.start();
    run();
}

void DBFileDialogTestFixture::DoubleClickRow(QDialog& window, int row)
{
    auto* view = qobject_cast<QTreeView*>(j3test::DialogDriver::Find(window, kList));
    ASSERT_NE(view, nullptr);
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

void DBFileDialogTestFixture::TypeAndReturn(QDialog& window, const std::string& box, const std::string& text)
{
    QWidget* widget = j3test::DialogDriver::Find(window, box);
    ASSERT_NE(widget, nullptr);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(widget, QString::fromStdString(text));
    QTest::keyClick(widget, Qt::Key_Return);
}

bool DBFileDialogTestFixture::IsEnabled(QDialog& window, const std::string& name)
{
    QWidget* widget = j3test::DialogDriver::Find(window, name);
    EXPECT_NE(widget, nullptr) << name;
    return widget && widget->isEnabled();
}

bool DBFileDialogTestFixture::IsShown(QDialog& window, const std::string& name)
{
    QWidget* widget = j3test::DialogDriver::Find(window, name);
    EXPECT_NE(widget, nullptr) << name;
    return widget && widget->isVisible();
}

bool DBFileDialogTestFixture::IsReadOnly(QDialog& window, const std::string& name)
{
    auto* box = qobject_cast<QLineEdit*>(j3test::DialogDriver::Find(window, name));
    EXPECT_NE(box, nullptr) << name;
    return box && box->isReadOnly();
}

