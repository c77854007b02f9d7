#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include "DBFileDialogTestFixture.h"
#include "dbdll/DBIdentity.h"
#include "msgbox/Boxes.h"
#include "support/DialogDriver.h"
#include "vkdb/DBFileFunctions.h"

namespace {

// What users of desktop file dialogs expect of the list, driven by keys and
// the mouse: type-ahead, Backspace, Return, the sort arrow, widths and sort
// order that are remembered per workstation.
class DBFileDialogDesktopTest : public DBFileDialogTestFixture {
protected:
    void SetUp() override
    {
        DBFileDialogTestFixture::SetUp();
        StoreFile("C:\\P\\Data\\Briefe\\anna.txt", 3000, "aaaa");
        StoreFile("C:\\P\\Data\\Briefe\\berta.txt", 1000, "b");
        StoreFile("C:\\P\\Data\\Briefe\\bruno.txt", 2000, "bb");
        StoreFile("C:\\P\\Data\\Briefe\\2024\\c.txt");
    }

    static QTreeView& List(QDialog& window)
    {
        return *qobject_cast<QTreeView*>(j3test::DialogDriver::Find(window, kList));
    }

    // The names of the selected rows.
    static std::vector<std::string> Selected(QDialog& window)
    {
        std::vector<std::string> names;
        for (const QModelIndex& row : List(window).selectionModel()->selectedRows())
            names.push_back(row.data().toString().toStdString());
        return names;
    }
};

// One key pressed in the list, and what the dialog shows afterwards.
struct SKeyStep {
    Qt::Key key;
    std::vector<std::string> selected;
    std::string dirBox;
};

TEST_F(DBFileDialogDesktopTest, KeysInTheListSelectEnterAndLeaveDirectories)
{
    const std::vector<SKeyStep> steps = {
        {Qt::Key_B, {"berta.txt"}, "data\\Briefe"},   // type-ahead
        {Qt::Key_R, {"bruno.txt"}, "data\\Briefe"},   // "br", typed on
        {Qt::Key_Z, {"bruno.txt"}, "data\\Briefe"},   // "brz" names nothing
        {Qt::Key_unknown, {"bruno.txt"}, "data\\Briefe"}, // a pause ends the name
        {Qt::Key_2, {"2024\\"}, "data\\Briefe"},
        {Qt::Key_Return, {"c.txt"}, "data\\Briefe\\2024"},
        {Qt::Key_Backspace, {"2024\\"}, "data\\Briefe"},
        {Qt::Key_Backspace, {"Briefe\\"}, "data"},
    };
    for (const unsigned long flags : {0ul, static_cast<unsigned long>(OFN_ALLOWMULTISELECT)}) {
        CDBFileDialog dialog(1, nullptr, nullptr, flags, "Alle|*.*||", nullptr, 0, 0);
        dialog.SetAllowDirChanges(true, true);
        dialog.GetOFN().lpstrInitialDir = "C:\\P\\Data\\Briefe";
        j3test::DialogDriver driver;
        for (const SKeyStep& step : steps) {
            if (step.key == Qt::Key_unknown)
                driver.Do([] { QTest::qWait(QApplication::keyboardInputInterval() + 50); });
            else
                driver.PressKey(kList, step.key);
            driver.Do([&step, &dialog] {
                QDialog& window = *dialog.GetWindow();
                EXPECT_EQ(Selected(window), step.selected) << step.key;
                EXPECT_EQ(Text(window, kDirBox), step.dirBox) << step.key;
            });
        }
        // Return on a file is the commit.
        driver.PressKey(kList, Qt::Key_Return).PressKey(kList, Qt::Key_A).PressKey(kList, Qt::Key_Return);
        EXPECT_EQ(driver.Run(dialog), 1) << flags;
        EXPECT_EQ(dialog.GetPathName(), "C:\\P\\Data\\Briefe\\anna.txt");
    }
}

TEST_F(DBFileDialogDesktopTest, BackspaceGoesUpOnlyWhereUpIsAllowed)
{
    CDBFileDialog dialog(0, nullptr, nullptr, 0, kTexts, nullptr, 0, 0);
    dialog.SetAllowDirChanges(false, true);
    dialog.GetOFN().lpstrInitialDir = "C:\\P\\Data\\Briefe";
    j3test::DialogDriver driver;
    driver.PressKey(kList, Qt::Key_Backspace)
        .Do([&] { EXPECT_EQ(Text(*dialog.GetWindow(), kDirBox), "data\\Briefe"); })
        .PressEscape();
    EXPECT_EQ(driver.Run(dialog), 2);
}

// Header clicks, and the arrow shown afterwards.
struct SHeaderStep {
    int column;
    int arrowColumn;
    Qt::SortOrder order;
    std::vector<std::string> names;
};

TEST_F(DBFileDialogDesktopTest, HeaderArrowShowsSortColumnAndDirection)
{
    const std::vector<SHeaderStep> steps = {
        {0, 0, Qt::DescendingOrder, {"bruno.txt", "berta.txt", "anna.txt", "2024\\"}},
        {1, 1, Qt::DescendingOrder, {"anna.txt", "bruno.txt", "berta.txt", "2024\\"}},
        {2, 2, Qt::DescendingOrder, {"anna.txt", "bruno.txt", "berta.txt", "2024\\"}},
        {2, 2, Qt::AscendingOrder, {"2024\\", "berta.txt", "bruno.txt", "anna.txt"}},
    };
    CDBFileDialog dialog(1, nullptr, nullptr, 0, "Alle|*.*||", nullptr, 0, 0);
    dialog.SetAllowDirChanges(true, true);
    dialog.GetOFN().lpstrInitialDir = "C:\\P\\Data\\Briefe";
    j3test::DialogDriver driver;
    driver.Do([&] {
        const QHeaderView& header = *List(*dialog.GetWindow()).header();
        EXPECT_TRUE(header.isSortIndicatorShown());
        EXPECT_EQ(header.sortIndicatorSection(), 0);
        EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
    });
    for (const SHeaderStep& step : steps)
        driver.ClickHeader(kList, step.column).Do([&step, &dialog] {
            QDialog& window = *dialog.GetWindow();
            EXPECT_EQ(List(window).header()->sortIndicatorSection(), step.arrowColumn) << step.column;
            EXPECT_EQ(List(window).header()->sortIndicatorOrder(), step.order) << step.column;
            EXPECT_EQ(ListColumn(window, 0), step.names) << step.column;
        });
    driver.PressEscape();
    EXPECT_EQ(driver.Run(dialog), 2);
}

// The placement switch is read once per program; ctest runs every test in
// a program of its own, and the fixture keeps placement on.
TEST_F(DBFileDialogDesktopTest, ColumnWidthsAndSortOrderAreRememberedPerWorkstation)
{
    const CString ownWorkstation = dbLfdWorkstation;
    struct SLayout {
        int arrowColumn = -1;
        Qt::SortOrder order = Qt::AscendingOrder;
        int sizeWidth = 0;
    };
    // Opens the dialog on a workstation; `user` acts on the list before it
    // closes; returns the layout the dialog opened with.
    const auto openOn = [](const char* workstation, const std::function<void(QTreeView&)>& user) {
        dbLfdWorkstation = workstation;
        CDBFileDialog dialog(1, nullptr, nullptr, 0, "Alle|*.*||", nullptr, 0, 0);
        dialog.SetAllowDirChanges(true, true);
        dialog.GetOFN().lpstrInitialDir = "C:\\P\\Data\\Briefe";
        SLayout opened;
        j3test::DialogDriver driver;
        driver.Do([&] {
            QTreeView& list = List(*dialog.GetWindow());
            opened = {list.header()->sortIndicatorSection(), list.header()->sortIndicatorOrder(),
                      list.header()->sectionSize(2)};
            user(list);
        });
        driver.PressEscape();
        EXPECT_EQ(driver.Run(dialog), 2);
        return opened;
    };
    int draggedWidth = 0;
    const SLayout first = openOn("1", [&](QTreeView& list) {
        QHeaderView& header = *list.header();
        // The user drags the right edge of the size column 60 pixels wider
        // and sorts by time, newest first.
        const int edge = header.sectionViewportPosition(2) + header.sectionSize(2) - 1;
        const int middle = header.height() / 2;
        QTest::mousePress(header.viewport(), Qt::LeftButton, {}, QPoint(edge, middle));
        QTest::mouseMove(header.viewport(), QPoint(edge + 60, middle));
        QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, QPoint(edge + 60, middle));
        draggedWidth = header.sectionSize(2);
        const QRect time = list.visualRect(list.model()->index(0, 1));
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(time.center().x(), middle));
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(time.center().x(), middle));
    });
    ASSERT_GT(draggedWidth, first.sizeWidth + 30);
    const SLayout other = openOn("2", [](QTreeView&) {});
    const SLayout again = openOn("1", [](QTreeView&) {});
    dbLfdWorkstation = ownWorkstation;

    EXPECT_EQ(other.arrowColumn, 0);
    EXPECT_EQ(other.order, Qt::AscendingOrder);
    EXPECT_EQ(other.sizeWidth, first.sizeWidth);
    EXPECT_EQ(again.arrowColumn, 1);
    EXPECT_EQ(again.order, Qt::DescendingOrder);
    EXPECT_EQ(again.sizeWidth, draggedWidth);
}

// A real path may spell a root in another case, as the store matches it.
TEST_F(DBFileDialogDesktopTest, RootInAnotherCaseIsThatRoot)
{
    const std::vector<std::string> dirBoxes = {"data\\briefe", "data", ""};
    CDBFileDialog dialog(1, nullptr, nullptr, 0, "Alle|*.*||", nullptr, 0, 0);
    dialog.SetAllowDirChanges(true, true);
    dialog.GetOFN().lpstrInitialDir = "c:\\p\\data\\briefe";
    j3test::DialogDriver driver;
    driver.Do([&] { EXPECT_EQ(Text(*dialog.GetWindow(), kDirBox), dirBoxes[0]); });
    for (std::size_t up = 1; up < dirBoxes.size(); ++up)
        driver.Click("VKBUTTON_DIRUP").Do([&, up] {
            EXPECT_EQ(Text(*dialog.GetWindow(), kDirBox), dirBoxes[up]);
        });
    driver.Do([&] {
        EXPECT_FALSE(IsEnabled(*dialog.GetWindow(), "VKBUTTON_DIRUP"));
        EXPECT_EQ(ListColumn(*dialog.GetWindow(), 0), (std::vector<std::string>{"Data\\"}));
    });
    driver.PressEscape();
    EXPECT_EQ(driver.Run(dialog), 2);
}

// The store ignores case: a user's file of the placeholder's name is where
// the placeholder would go. Creating its folder again must not empty it,
// and closing the dialog must not delete it.
TEST_F(DBFileDialogDesktopTest, UsersFileOfThePlaceholdersNameIsKept)
{
    const char* usersFile = "C:\\P\\Data\\Briefe\\__J3DBFILEDIALOG-DUMMY__";
    StoreFile(usersFile, 1000, "Notizen");
    {
        CDBFileDialog dialog(0, nullptr, nullptr, 0, "Alle|*.*||", nullptr, 0, 0);
        dialog.SetAllowDirChanges(true, true);
        dialog.GetOFN().lpstrInitialDir = "C:\\P\\Data";
        m_boxes.QueueAnswer(BOX_YES);
        m_boxes.QueueInput({"Briefe"});
        j3test::DialogDriver driver;
        driver.Click("VKBUTTON_DIRNEW").DoubleClickRow(kList, 0).Do([&] {
            EXPECT_EQ(Text(*dialog.GetWindow(), kDirBox), "data\\Briefe");
            EXPECT_EQ(ListColumn(*dialog.GetWindow(), 0),
                      (std::vector<std::string>{"2024\\", "anna.txt", "berta.txt", "bruno.txt"}));
        });
        driver.PressEscape();
        EXPECT_EQ(driver.Run(dialog), 2);
    }
    CString content;
    ASSERT_TRUE(LoadTextFileDB(usersFile, content));
    EXPECT_EQ(content, "Notizen");
    EXPECT_TRUE(Boxes(EBoxKind::Notice).empty());
}

} // namespace
