#include "PatientDialogFixture.h"

#include "dbdll/JPat.h"
#include "support/DialogDriver.h"
#include "support/GuiApplication.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/WPFText.h"
#include "win32/LibraryLoader.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

void PatientDialogFixture::SetUp()
{
    CreateDatabase();
    j3test::GuiApplication::Instance();
    m_pluginFolder = CLibraryLoader::PluginFolder();
    const char* const patients[][4] = {{"      1234", "Müller", "Hans", "19600201"},
                                       {"1234567890", "Maier", "Anna", "19751224"},
                                       {"       120", "Müllner", "Jürgen", ""},
                                       {"        77", "Schulz", "", "19900315"},
                                       {"      1299", "Bauer", "Hansi", "19800101"}};
    for (const auto& p : patients) {
        CJPat patient(&dbDatabase, nullptr);
        patient.m_strPatNr = p[0];
        patient.m_strName = CWPFText::FromQString(QString::fromUtf8(p[1]));
        patient.m_strVorname = CWPFText::FromQString(QString::fromUtf8(p[2]));
        patient.m_strGebDat = p[3];
        ASSERT_TRUE(patient.Write("")) << dbDatabase.GetLastError().GetString();
    }
    m_choicePoll = std::make_unique<QTimer>();
    m_choicePoll->setInterval(1);
    QObject::connect(m_choicePoll.get(), &QTimer::timeout, [this] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible() || !j3test::DialogDriver::Find(*window, "VKLTEXTBOX_SUCHE"))
            return;
        m_choicePoll->stop();
        m_bChoiceOpened = true;
        EXPECT_TRUE(QTest::qWaitForWindowActive(window, 2000));
        m_choiceScript(*window);
        if (window->isVisible()) {
            ADD_FAILURE() << "the patient choice is still open after its script";
            QTest::keyClick(window, Qt::Key_Escape);
        }
    });
}

void PatientDialogFixture::TearDown()
{
    m_choicePoll.reset();
    CLibraryLoader::SetPluginFolder(m_pluginFolder);
    dbDatabase.Close();
}

void PatientDialogFixture::WhenChoiceOpens(std::function<void(QDialog&)> script)
{
    m_choiceScript = std::move(script);
    m_bChoiceOpened = false;
    m_choicePoll->start();
}

