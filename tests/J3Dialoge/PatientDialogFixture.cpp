#include "PatientDialogFixture.h"
#include "support/TestDatabase.h"

#include "dbdll/JPat.h"
#include "support/DialogDriver.h"
#include "support/GuiApplication.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/WPFText.h"
#include "win32/LibraryLoader.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

void PatientDialogFixture::SetUp()
{
    ASSERT_TRUE(dbDatabase.Create(j3test::NewPracticeDatabase(m_folder))) << dbDatabase.GetLastError().GetString();
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

std::string PatientDialogFixture::Text(QDialog& window, const char* name)
{
    auto* edit = qobject_cast<QLineEdit*>(j3test::DialogDriver::Find(window, name));
    EXPECT_NE(edit, nullptr) << name;
    return edit ? edit->text().toStdString() : std::string();
}

std::vector<std::string> PatientDialogFixture::Column(QDialog& window, const char* list, int column)
{
    auto* view = qobject_cast<QTreeView*>(j3test::DialogDriver::Find(window, list));
    EXPECT_NE(view, nullptr) << list;
    std::vector<std::string> cells;
    for (int row = 0; view && row < view->model()->rowCount(); ++row)
        cells.push_back(view->model()->index(row, column).data().toString().toStdString());
    return cells;
}

std::vector<std::string> PatientDialogFixture::Boxes() const
{
    std::vector<std::string> boxes;
    for (const SBoxRecord& box : m_boxes.Records()) {
        switch (box.kind) {
        case EBoxKind::ProgressOpen: boxes.push_back("open"); break;
        case EBoxKind::ProgressUpdate:
            boxes.push_back("at " + std::to_string(box.position) + "/" + std::to_string(box.total));
            break;
        case EBoxKind::ProgressText: boxes.push_back("text " + box.text); break;
        case EBoxKind::ProgressClose: boxes.push_back("close"); break;
        default: boxes.push_back(box.caption + "|" + box.text);
        }
    }
    return boxes;
}
