#include "TestDialog.h"
#include "msgbox/BoxAnswerer.h"
#include "support/DialogDriver.h"
#include "support/GuiApplication.h"
#include "vkwpfcpp/VKButtonClass.h"

#include <algorithm>
#include <QTreeView>
#include <QWidget>
#include <gtest/gtest.h>

using j3test::DialogDriver;
using Log = std::vector<std::string>;

namespace {

// The entries of the log that start with prefix.
Log EntriesStartingWith(const Log& log, const std::string& prefix)
{
    Log result;
    for (const std::string& entry : log)
        if (entry.rfind(prefix, 0) == 0)
            result.push_back(entry);
    return result;
}

class WPFElementsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        j3test::GuiApplication::Instance();
        m_dialog.m_onInit = [](CTestDialog& d) {
            const char* names[] = {"Befund.txt", "Brief.doc", "R\xF6ntgen\\", "Zahnstatus.pdf", "Abrechnung.txt"};
            for (const char* name : names)
                d.m_matrix.DoAdd({name, "01.02.2026  10:00:00", "1 KB"});
        };
    }

    CBoxAnswerer m_boxes;
    CTestDialog m_dialog;
    DialogDriver m_driver;
};

TEST_F(WPFElementsTest, TextBoxTypingEventsAndWindows1252)
{
    m_driver.Type("VKLTEXTBOX_NAME", "Müller")
        .Do([&] {
            EXPECT_EQ(m_dialog.m_editName.GetData(), "M\xFCller");
            m_dialog.m_editName.SetData("Gro\xDF");
        })
        .Do([&] {
            EXPECT_EQ(DialogDriver::Find(*m_dialog.GetWindow(), "VKLTEXTBOX_NAME")->property("text").toString(),
                      QString::fromUtf8("Groß"));
            m_dialog.m_editName.Clear();
            EXPECT_TRUE(m_dialog.m_editName.GetData().IsEmpty());
            m_dialog.m_editName.SetIsReadOnly(true);
            EXPECT_TRUE(m_dialog.m_editName.GetIsReadOnly());
        })
        .Type("VKLTEXTBOX_NAME", "nichts")  // read-only: the keys change nothing
        .PressReturn("VKLTEXTBOX_NAME")     // stops at the box's handler, the dialog stays
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_TRUE(m_dialog.m_editName.GetData().IsEmpty());
    EXPECT_EQ(EntriesStartingWith(m_dialog.m_log, "text "),
              (Log{"text M", "text M\xFC", "text M\xFCl", "text M\xFCll", "text M\xFCl" "le", "text M\xFCller",
                   "text Gro\xDF", "text "}));
    EXPECT_EQ(EntriesStartingWith(m_dialog.m_log, "return "), Log{"return VKLTEXTBOX_NAME"});
}

TEST_F(WPFElementsTest, KeyboardFocusEventsFollowTheUsersClicks)
{
    m_driver.Type("VKLTEXTBOX_NAME", "a")
        .Type("VKLTEXTBOX_FILTER", "b")
        .Type("VKLTEXTBOX_NAME", "c")
        .Do([&] { EXPECT_TRUE(m_dialog.m_editName.HasFocus()); })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    // The OK button takes no focus from a click in the frame here; what
    // matters is the alternation caused by the user's moves.
    Log focus;
    std::copy_if(m_dialog.m_log.begin(), m_dialog.m_log.end(), std::back_inserter(focus),
                 [](const std::string& entry) { return entry.ends_with(" focus"); });
    ASSERT_GE(focus.size(), 3u);
    EXPECT_EQ(Log(focus.begin(), focus.begin() + 3), (Log{"got focus", "lost focus", "got focus"}));
}

TEST_F(WPFElementsTest, SelectionIsReportedInTheOrderTheUserMadeIt)
{
    m_dialog.m_afterInit = [](CTestDialog& d) { d.m_list.SetSelectionMode(VKSelectionExtended); };
    m_driver.SelectRows("VKLLISTVIEW_ITEMS", {3, 0, 2})
        .Do([&] {
            EXPECT_EQ(m_dialog.m_list.GetSelectedItems(), (std::vector<int>{3, 0, 2}));
            EXPECT_EQ(m_dialog.m_list.GetSelectedIndex(), 3);
        })
        .ClickRow("VKLLISTVIEW_ITEMS", 0, Qt::ControlModifier)  // Ctrl+click takes row 0 away
        .Do([&] { EXPECT_EQ(m_dialog.m_list.GetSelectedItems(), (std::vector<int>{3, 2})); })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(EntriesStartingWith(m_dialog.m_log, "selection"),
              (Log{"selection +3", "selection +0", "selection +2", "selection -0"}));
}

TEST_F(WPFElementsTest, SingleSelectionAndSelectedIndex)
{
    m_dialog.m_afterInit = [](CTestDialog& d) { d.m_list.SetSelectionMode(VKSelectionSingle); };
    m_driver.SelectRows("VKLLISTVIEW_ITEMS", {1, 4})
        .Do([&] {
            EXPECT_EQ(m_dialog.m_list.GetSelectedItems(), std::vector<int>{4});
            EXPECT_TRUE(m_dialog.m_list.SetSelectedIndex(2));
            EXPECT_FALSE(m_dialog.m_list.SetSelectedIndex(5));
            EXPECT_EQ(m_dialog.m_list.GetSelectedIndex(), 2);
            EXPECT_TRUE(m_dialog.m_list.SetSelectedIndex(-1));
            EXPECT_TRUE(m_dialog.m_list.GetSelectedItems().empty());
            m_dialog.m_list.SetSelectedIndex(1);
            m_dialog.m_matrix.Clear();  // a cleared table takes the selection with it
            EXPECT_EQ(m_dialog.m_list.GetSelectedIndex(), -1);
        })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(EntriesStartingWith(m_dialog.m_log, "selection"),
              (Log{"selection +1", "selection +4 -1", "selection +2 -4", "selection -2", "selection +1",
                   "selection -1"}));
}

TEST_F(WPFElementsTest, DoubleClicksAndHeaderClicksTellRowAndColumn)
{
    m_driver.DoubleClickRow("VKLLISTVIEW_ITEMS", 2)
        .DoubleClickRow("VKLLISTVIEW_ITEMS", -1)
        .ClickHeader("VKLLISTVIEW_ITEMS", 0)
        .ClickHeader("VKLLISTVIEW_ITEMS", 2)
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    EXPECT_EQ(EntriesStartingWith(m_dialog.m_log, "double click"), (Log{"double click 2", "double click -1"}));
    EXPECT_EQ(EntriesStartingWith(m_dialog.m_log, "header"), (Log{"header 0", "header 2"}));
}

TEST_F(WPFElementsTest, ListColumnsShowHeadersWidthsAndOnlyDefinedColumns)
{
    m_driver
        .Do([&] {
            auto* view = qobject_cast<QTreeView*>(DialogDriver::Find(*m_dialog.GetWindow(), "VKLLISTVIEW_ITEMS"));
            ASSERT_NE(view, nullptr);
            const QAbstractItemModel* model = view->model();
            EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QString::fromUtf8("Größe"));
            EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
                      QString::fromUtf8("Zeitpunkt der letzten Änderung"));
            EXPECT_EQ(view->columnWidth(1), 140);
            EXPECT_TRUE(model->data(model->index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                        Qt::AlignRight);
            m_dialog.m_list.AutoSizeGridViewColumns();
            const int nameWidth = view->columnWidth(0);
            EXPECT_GE(nameWidth, view->fontMetrics().horizontalAdvance(QString::fromUtf8("Abrechnung.txt")));
            // The name column takes what the short texts leave, so the rows span the list.
            const int spanned = nameWidth + view->columnWidth(1) + view->columnWidth(2);
            EXPECT_GE(spanned, view->viewport()->width());
        })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
}

TEST_F(WPFElementsTest, ButtonsXButtonAndMenuItem)
{
    m_driver.Click("VKBUTTON_ADD")
        .Click("VKXBUTTON_FAVORIT")
        .Click("VKXBUTTON_FAVORIT_X")
        .TriggerMenuItem("VKMENUITEM_DELETE")
        .Do([&] {
            m_dialog.m_btnAdd.SetIsEnabled(false);
            m_dialog.m_menuDelete.SetIsEnabled(false);
            m_dialog.m_btnFavorit.SetShowX(false);
            m_dialog.m_btnAdd.Click();
            m_dialog.m_menuDelete.Click();
            m_dialog.m_btnFavorit.ClickX();
        })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(m_driver.Run(m_dialog), 1);
    Log events;
    std::copy_if(m_dialog.m_log.begin(), m_dialog.m_log.end(), std::back_inserter(events), [](const std::string& e) {
        return e.starts_with("click") || e.starts_with("remove") || e.starts_with("menu");
    });
    EXPECT_EQ(events, (Log{"click VKBUTTON_ADD", "click favorit", "remove favorit", "menu delete"}));
}

} // namespace
