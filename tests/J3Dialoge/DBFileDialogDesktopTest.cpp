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
    const auto dialog = Dialog(1, "C:\\P\\Data\\Briefe", true, true, 0, "Alle|*.*||");
    j3test::DialogDriver driver;
    driver.Do([&] {
        const QHeaderView& header = *List(*dialog->GetWindow()).header();
        EXPECT_TRUE(header.isSortIndicatorShown());
        EXPECT_EQ(header.sortIndicatorSection(), 0);
        EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
    });
    for (const SHeaderStep& step : steps)
        driver.ClickHeader(kList, step.column).Do([&step, &dialog] {
            QDialog& window = *dialog->GetWindow();
            EXPECT_EQ(List(window).header()->sortIndicatorSection(), step.arrowColumn) << step.column;
            EXPECT_EQ(List(window).header()->sortIndicatorOrder(), step.order) << step.column;
            EXPECT_EQ(ListColumn(window, 0), step.names) << step.column;
        });
    driver.PressEscape();
    EXPECT_EQ(driver.Run(*dialog), 2);
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
        const auto dialog = Dialog(1, "C:\\P\\Data\\Briefe", true, true, 0, "Alle|*.*||");
        SLayout opened;
        j3test::DialogDriver driver;
        driver.Do([&] {
            QTreeView& list = List(*dialog->GetWindow());
            opened = {list.header()->sortIndicatorSection(), list.header()->sortIndicatorOrder(),
                      list.header()->sectionSize(2)};
            user(list);
        });
        driver.PressEscape();
        EXPECT_EQ(driver.Run(*dialog), 2);
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

// The store ignores case: a user's file of the placeholder's name is where
// the placeholder would go. Creating its folder again must not empty it,
// and closing the dialog must not delete it.
TEST_F(DBFileDialogDesktopTest, UsersFileOfThePlaceholdersNameIsKept)
{
    const char* usersFile = "C:\\P\\Data\\Briefe\\__J3DBFILEDIALOG-DUMMY__";
    StoreFile(usersFile, 1000, "Notizen");
    {
        const auto dialog = Dialog(0, "C:\\P\\Data", true, true, 0, "Alle|*.*||");
        m_boxes.QueueAnswer(BOX_YES);
        m_boxes.QueueInput({"Briefe"});
        j3test::DialogDriver driver;
        driver.Click("VKBUTTON_DIRNEW").DoubleClickRow(kList, 0).Do([&] {
            EXPECT_EQ(Text(*dialog->GetWindow(), kDirBox), "data\\Briefe");
            EXPECT_EQ(ListColumn(*dialog->GetWindow(), 0),
                      (std::vector<std::string>{"2024\\", "anna.txt", "berta.txt", "bruno.txt"}));
        });
        driver.PressEscape();
        EXPECT_EQ(driver.Run(*dialog), 2);
    }
    CString content;
    ASSERT_TRUE(LoadTextFileDB(usersFile, content));
    EXPECT_EQ(content, "Notizen");
    EXPECT_TRUE(Boxes(EBoxKind::Notice).empty());
}

} // namespace
