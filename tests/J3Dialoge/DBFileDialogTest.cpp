#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <QWidget>

#include "DBFileDialogTestFixture.h"
#include "J3Dialoge/DBDirectoryListing.h"
#include "J3Dialoge/DBFileTypeFilter.h"
#include "support/DialogDriver.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"
#include "vkwpfcpp/VKButtonClass.h"

namespace {

// The letters directory of the tests: a subdirectory, two texts, a document.
class DBFileDialogTest : public DBFileDialogTestFixture {
protected:
    void SetUp() override
    {
        DBFileDialogTestFixture::SetUp();
        setenv("TZ", "UTC", 1);
        tzset();
        StoreFile("C:\\P\\Data\\Briefe\\b.txt", 2000, "bb");
        StoreFile("C:\\P\\Data\\Briefe\\A.txt", 1000, "aaaa");
        StoreFile("C:\\P\\Data\\Briefe\\notiz.doc", 3000, "d");
        StoreFile("C:\\P\\Data\\Briefe\\2024\\c.txt", 4000, "c");
        StoreFile("C:\\P\\QA\\q.txt", 5000, "q");
    }

    void TearDown() override
    {
        unsetenv("TZ");
        tzset();
        DBFileDialogTestFixture::TearDown();
    }
};

TEST_F(DBFileDialogTest, TheRecordHoldsTheCallersArguments)
{
    const std::string longName(300, 'n');
    struct SCase {
        unsigned long structSize;
        unsigned long flags;
        const char* fileName;
        DWORD expectedSize;
        DWORD expectedFlags;
        std::string expectedFile;
    };
    const SCase cases[] = {
        {0, 0, nullptr, 88, OFN_ENABLEHOOK | OFN_EXPLORER, ""},
        {400, OFN_ALLOWMULTISELECT | OFN_ENABLESIZING, "brief.txt", 400,
         OFN_ALLOWMULTISELECT | OFN_ENABLESIZING | OFN_ENABLEHOOK | OFN_EXPLORER, "brief.txt"},
        {0, OFN_ENABLETEMPLATE | OFN_ENABLESIZING, longName.c_str(), 88,
         OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_EXPLORER, std::string(259, 'n')},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.structSize);
        CDBFileDialog dialog(1, "txt", c.fileName, c.flags, kTexts, nullptr, c.structSize, 1);
        const OPENFILENAMEA& ofn = dialog.GetOFN();
        EXPECT_EQ(ofn.lStructSize, c.expectedSize);
        EXPECT_EQ(ofn.Flags, c.expectedFlags);
        EXPECT_EQ(std::string(ofn.lpstrFile), c.expectedFile);
        EXPECT_EQ(ofn.nMaxFile, 260u);
        EXPECT_EQ(dialog.GetPathName(), CString(c.expectedFile));
        // The whole record as asked for is zeroed beyond the known fields.
        const auto* bytes = reinterpret_cast<const unsigned char*>(&ofn);
        for (std::size_t i = sizeof(OPENFILENAMEA); i < c.expectedSize; ++i)
            ASSERT_EQ(bytes[i], 0) << i;
    }
}

TEST_F(DBFileDialogTest, RefusesToOpenWhereThereIsNothingToShow)
{
    StoreFile("C:\\Windows\\win.ini");
    // A filter text beyond the bound would cost the memory of thousands of patterns.
    const std::string hugeFilter = "Alle|" + std::string(CDBFileTypeFilter::MaxTextLength, '*');
    struct SCase {
        const char* initialDir;
        bool removeRoots;
        std::string filter;
        std::string text;
    };
    const SCase cases[] = {
        {"C:\\P\\Data\\Fehlt", false, kTexts, "Das Verzeichnis C:\\P\\Data\\Fehlt existiert nicht in der Datenbank."},
        // A directory of the store outside every root is refused like a missing one.
        {"C:\\Windows", false, kTexts, "Das Verzeichnis C:\\Windows existiert nicht in der Datenbank."},
        {"", true, kTexts,
         "Es können keine Dateien ausgewählt werden, da in der Datenbank noch keine Dateien gespeichert sind."},
        {"", false, hugeFilter, "Der Dateifilter ist länger als 32767 Zeichen; der Dialog kann nicht geöffnet werden."},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.text);
        m_boxes.ClearRecords();
        CDBFileDialog dialog(1, nullptr, nullptr, 0, c.filter.c_str(), nullptr, 0, 0);
        if (c.removeRoots) {
            dialog.RemoveAllowedRootDir("C:\\P\\Data\\");
            dialog.RemoveAllowedRootDir("C:\\P\\QA");
        }
        dialog.GetOFN().lpstrInitialDir = c.initialDir;
        EXPECT_EQ(dialog.DoModal(), 2);
        EXPECT_EQ(Boxes(EBoxKind::Error), Strings{"Dateiauswahl kann nicht geöffnet werden|" + c.text});
        EXPECT_EQ(dialog.GetPathName(), "");
    }
    EXPECT_EQ(RunPlain(Params(1, "C:\\P\\Data\\Fehlt", kTexts, true, true), {}), "");
}

TEST_F(DBFileDialogTest, ShowsTheInitialDirectoryInOpenMode)
{
    QWidget parent;
    parent.setWindowTitle("Praxis Sonnenschein");
    CDBFileDialog dialog(1, nullptr, nullptr, 0, kTexts, &parent, 0, 0);
    dialog.SetAllowDirChanges(false, true);
    dialog.GetOFN().lpstrInitialDir = "C:\\P\\Data\\Briefe\\";
    j3test::DialogDriver driver;
    driver
        .Do([&] {
            QDialog& window = *dialog.GetWindow();
            EXPECT_EQ(window.windowTitle().toStdString(), "Praxis Sonnenschein: Datei öffnen (DB)");
            EXPECT_EQ(Text(window, kDirBox), "data\\Briefe");
            EXPECT_EQ(ListColumn(window, 0), (Strings{"2024\\", "A.txt", "b.txt"}));
            EXPECT_EQ(ListColumn(window, 1), (Strings{"", "01.01.1970  00:16:40", "01.01.1970  00:33:20"}));
            EXPECT_EQ(ListColumn(window, 2), (Strings{"", "4 Bytes", "2 Bytes"}));
            // Open mode preselects the first row, here a directory: the
            // file box stays empty and the down button leads into it.
            EXPECT_EQ(Text(window, kFileBox), "");
            EXPECT_TRUE(IsEnabled(window, "VKBUTTON_DIRDOWN"));
            EXPECT_TRUE(j3test::DialogDriver::Find(window, kList)->hasFocus());
        })
        .ClickRow(kList, 2)
        .Do([&] {
            EXPECT_EQ(Text(*dialog.GetWindow(), kFileBox), "b.txt");
            EXPECT_FALSE(IsEnabled(*dialog.GetWindow(), "VKBUTTON_DIRDOWN"));
        })
        .PressEscape();
    EXPECT_EQ(driver.Run(dialog), 2);
    EXPECT_EQ(dialog.GetPathName(), "");
}

TEST_F(DBFileDialogTest, ModeAndDirectionFlagsShapeTheControls)
{
    struct SCase {
        int open;
        unsigned long flags;
        bool up;
        bool down;
        const char* title;
        bool newDirShown;
        bool dirBoxReadOnly;
        bool fileBoxReadOnly;
    };
    const SCase cases[] = {
        {1, 0, true, true, "Praxis: Datei öffnen (DB)", false, false, true},
        {1, OFN_ALLOWMULTISELECT, false, true, "Praxis: Datei(en) öffnen (DB)", false, false, true},
        {0, 0, false, true, "Praxis: Speichern unter (DB)", true, false, false},
        {0, OFN_ALLOWMULTISELECT, true, false, "Praxis: Speichern unter (DB)", true, false, false},
        {0, 0, false, false, "Praxis: Speichern unter (DB)", false, true, false},
        {1, 0, false, false, "Praxis: Datei öffnen (DB)", false, true, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.open) + std::to_string(c.up) + std::to_string(c.down));
        const auto dialog = Dialog(c.open, "C:\\P\\Data\\Briefe", c.up, c.down, c.flags);
        j3test::DialogDriver driver;
        driver
            .Do([&] {
                QDialog& window = *dialog->GetWindow();
                EXPECT_EQ(window.windowTitle().toStdString(), c.title);
                EXPECT_EQ(window.findChild<QWidget*>("VKBUTTON_DIRNEW")->isVisible(), c.newDirShown);
                EXPECT_EQ(window.findChild<QLineEdit*>(kDirBox)->isReadOnly(), c.dirBoxReadOnly);
                EXPECT_EQ(window.findChild<QLineEdit*>(kFileBox)->isReadOnly(), c.fileBoxReadOnly);
                // Up from the initial directory, by button or Backspace, only when the user may leave it.
                EXPECT_EQ(IsEnabled(window, "VKBUTTON_DIRUP"), c.up);
            })
            .PressKey(kList, Qt::Key_Backspace)
            .Do([&] { EXPECT_EQ(Text(*dialog->GetWindow(), kDirBox), c.up ? "data" : "data\\Briefe"); })
            .ClickFrameButton(VKButtonCancel);
        EXPECT_EQ(driver.Run(*dialog), 2);
    }
}

TEST_F(DBFileDialogTest, TypedDirectoriesThatMayNotBeEnteredAreRefused)
{
    StoreFile("C:\\Windows\\win.ini");
    StoreFile("C:\\P\\Data\\Andere\\x.txt");
    struct SCase {
        bool up;
        bool down;
        const char* typed;
    };
    const SCase cases[] = {
        {true, true, "data\\..\\..\\Windows"},
        {true, true, "C:\\Windows"},
        {true, true, "data\\Fehlt"},
        {true, true, "Data\\Briefe"},
        {false, true, "data\\Andere"},
        {true, false, "data\\Briefe\\2024"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.typed);
        m_boxes.ClearRecords();
        const auto dialog = Dialog(1, "C:\\P\\Data\\Briefe", c.up, c.down);
        j3test::DialogDriver driver;
        driver.Type(kDirBox, c.typed)
            .PressReturn(kDirBox)
            .Do([&] {
                EXPECT_EQ(Text(*dialog->GetWindow(), kDirBox), "data\\Briefe");
                EXPECT_EQ(ListColumn(*dialog->GetWindow(), 0).back(), "b.txt");
            })
            .PressEscape();
        EXPECT_EQ(driver.Run(*dialog), 2);
        EXPECT_EQ(Boxes(), Strings{"Verzeichnis nicht gefunden|Das angegebene Verzeichnis existiert nicht in der "
                                   "Datenbank!"});
    }
}

TEST_F(DBFileDialogTest, TimesThatCannotBeShownGiveEmptyCells)
{
    StoreFile("C:\\P\\QA\\Zeiten\\keine.txt", 0);
    StoreFile("C:\\P\\QA\\Zeiten\\negativ.txt", -5);
    StoreFile("C:\\P\\QA\\Zeiten\\spaet.txt", 40000000000);
    StoreFile("C:\\P\\QA\\Zeiten\\gut.txt", 1796375107);
    const auto dialog = Dialog(1, "C:\\P\\QA\\Zeiten", false, false);
    j3test::DialogDriver driver;
    driver
        .Do([&] {
            EXPECT_EQ(ListColumn(*dialog->GetWindow(), 0),
                      (Strings{"gut.txt", "keine.txt", "negativ.txt", "spaet.txt"}));
            EXPECT_EQ(ListColumn(*dialog->GetWindow(), 1), (Strings{"04.12.2026  09:05:07", "", "", ""}));
        })
        .PressEscape();
    EXPECT_EQ(driver.Run(*dialog), 2);
}

// A large directory shows its first rows at once and the rest when read;
// the rows, the files chosen and the rows selected always agree, whichever
// listings come and go, and a selection made early stays.
TEST_F(DBFileDialogTest, RowsAndChoiceAgreeWhileListingsComeAndGo)
{
    const int files = 5000;
    {
        CDBFileStore store(dbDatabase);
        CVKTransaction transaction(dbDatabase);
        for (int i = 0; i < files; ++i)
            ASSERT_TRUE(store.SaveFile(CString("C:\\P\\Data\\Briefe\\viele\\" +
                                               (i + 1 < files ? "f" + std::to_string(10000 + i) : "zuletzt") + ".txt"),
                                       CString(std::string(i % 7, 'x')), 1000 + i));
        ASSERT_TRUE(transaction.Commit());
    }
    const auto dialog = Dialog(1, "C:\\P\\Data\\Briefe\\viele", true, true, OFN_ALLOWMULTISELECT);
    const auto agree = [&] {
        auto* view = qobject_cast<QTreeView*>(j3test::DialogDriver::Find(*dialog->GetWindow(), kList));
        const int rows = view->model()->rowCount();
        const bool firstScreen = rows == 0 || rows == static_cast<int>(CDBDirectoryListing::kFirstScreenRows);
        const bool inViele = Text(*dialog->GetWindow(), kDirBox) == "data\\Briefe\\viele";
        // Read whole, the view is given a batch more than the first screen and the rest as it scrolls.
        EXPECT_TRUE(dialog->IsListingRead() ? !inViele || (!firstScreen && rows < files) : firstScreen) << rows;
        Strings selected, chosen;
        for (const QModelIndex& index : view->selectionModel()->selectedRows())
            if (const std::string name = view->model()->data(index).toString().toStdString(); name.back() != '\\')
                selected.push_back(name);
        for (const DBFileEntry& entry : dialog->GetMultipleSelectedFiles())
            chosen.push_back(entry.first.filename().string());
        EXPECT_EQ(selected, chosen);
        return chosen;
    };
    const auto whenRead = [&] { EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->IsListingRead(); }, 5000)); };
    j3test::DialogDriver driver;
    driver.Do(agree)
        .ClickRow(kList, 3)
        .Do([&] { EXPECT_EQ(agree(), Strings{"f10003.txt"}); })
        .Do(whenRead)
        .Do([&] { EXPECT_EQ(agree(), Strings{"f10003.txt"}); })
        .Click("VKBUTTON_DIRUP")
        .Do(agree)
        .DoubleClickRow(kList, 1)
        .ClickHeader(kList, 2)
        .Do(agree)
        .Click("VKBUTTON_DIRUP")
        .DoubleClickRow(kList, 1)
        .Do(agree)
        .Do(whenRead)
        .Do([&] { EXPECT_EQ(agree().size(), 1u); })
        .PressKey(kList, Qt::Key_Z)  // a name further down than the rows the view has
        .Do([&] { EXPECT_EQ(agree(), Strings{"zuletzt.txt"}); })
        .PressKey(kList, Qt::Key_A, Qt::ControlModifier)  // also the rows not given yet
        .Do([&] { EXPECT_EQ(dialog->GetMultipleSelectedFiles().size(), static_cast<std::size_t>(files)); })
        .PressEscape();
    EXPECT_EQ(driver.Run(*dialog), 2);
}

} // namespace
