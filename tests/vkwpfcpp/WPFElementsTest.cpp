#include "TestDialog.h"

#include <QTreeView>
#include <QWidget>
#include <gtest/gtest.h>

using j3test::DialogDriver;
using Log = std::vector<std::string>;

namespace {

using WPFElementsTest = TestDialogFixture;

TEST_F(WPFElementsTest, TextBoxesReportTypingFocusAndReturnInWindows1252)
{
    m_driver.Type("VKLTEXTBOX_NAME", "Müller")
        .Do([&] {
            EXPECT_EQ(m_dialog.m_editName.GetData(), "M\xFCller");
            m_dialog.m_editName.SetData("Gro\xDF");
        })
        .Type("VKLTEXTBOX_FILTER", "b")
        .Do([&] {
            m_dialog.m_editName.Clear();
            m_dialog.m_editName.SetIsReadOnly(true);
        })
        .Type("VKLTEXTBOX_NAME", "nichts")  // read-only: the keys change nothing
        .Do([&] { EXPECT_TRUE(m_dialog.m_editName.HasFocus()); })
        .PressReturn("VKLTEXTBOX_NAME");  // stops at the box's handler, the dialog stays
    const Log entries = Run({"text ", "return ", "got ", "lost "});
    EXPECT_TRUE(m_dialog.m_editName.GetData().IsEmpty());
    // The box loses the focus when the dialog closes.
    EXPECT_EQ(entries, (Log{"got focus", "text M", "text M\xFC", "text M\xFCl", "text M\xFCll", "text M\xFCl" "le",
                            "text M\xFCller", "text Gro\xDF", "lost focus", "text ", "got focus",
                            "return VKLTEXTBOX_NAME", "lost focus"}));
}

TEST_F(WPFElementsTest, SelectionIsReportedInTheOrderTheUserMadeIt)
{
    m_dialog.m_afterInit = [](CTestDialog& d) { d.m_list.SetSelectionMode(VKSelectionExtended); };
    m_driver.SelectRows("VKLLISTVIEW_ITEMS", {3, 0, 2})
        .Do([&] {
            EXPECT_EQ(m_dialog.m_list.GetSelectedItems(), (std::vector<int>{3, 0, 2}));
            EXPECT_EQ(m_dialog.m_list.GetSelectedIndex(), 3);
        })
        .ClickRow("VKLLISTVIEW_ITEMS", 0, Qt::ControlModifier);  // Ctrl+click takes row 0 away
    EXPECT_EQ(Run({"selection"}), (Log{"selection +3", "selection +0", "selection +2", "selection -0"}));
}

TEST_F(WPFElementsTest, SingleSelectionAndSelectedIndex)
{
    m_dialog.m_afterInit = [](CTestDialog& d) { d.m_list.SetSelectionMode(VKSelectionSingle); };
    // The log shows each change; a row past the end is refused and changes nothing.
    m_driver.SelectRows("VKLLISTVIEW_ITEMS", {1, 4}).Do([&] {
        EXPECT_TRUE(m_dialog.m_list.SetSelectedIndex(2));
        EXPECT_FALSE(m_dialog.m_list.SetSelectedIndex(5));
        EXPECT_TRUE(m_dialog.m_list.SetSelectedIndex(-1));
        m_dialog.m_list.SetSelectedIndex(1);
        m_dialog.m_matrix.Clear();  // a cleared table takes the selection with it
        EXPECT_EQ(m_dialog.m_list.GetSelectedIndex(), -1);
    });
    EXPECT_EQ(Run({"selection"}), (Log{"selection +1", "selection +4 -1", "selection +2 -4", "selection -2",
                                                "selection +1", "selection -1"}));
}

TEST_F(WPFElementsTest, ClicksTellTheirElementRowAndColumn)
{
    m_driver.DoubleClickRow("VKLLISTVIEW_ITEMS", 2)
        .DoubleClickRow("VKLLISTVIEW_ITEMS", -1)
        .ClickHeader("VKLLISTVIEW_ITEMS", 0)
        .ClickHeader("VKLLISTVIEW_ITEMS", 2)
        .Click("VKBUTTON_ADD")
        .Click("VKXBUTTON_FAVORIT")
        .Click("VKXBUTTON_FAVORIT_X")
        .TriggerMenuItem("VKMENUITEM_DELETE")
        .Do([&] {
            // Disabled elements and a hidden X take no clicks.
            m_dialog.m_btnAdd.SetIsEnabled(false);
            m_dialog.m_menuDelete.SetIsEnabled(false);
            m_dialog.m_btnFavorit.SetShowX(false);
            m_dialog.m_btnAdd.Click();
            m_dialog.m_menuDelete.Click();
            m_dialog.m_btnFavorit.ClickX();
        });
    EXPECT_EQ(Run({"double click", "header", "click", "remove", "menu"}),
              (Log{"double click 2", "double click -1", "header 0", "header 2", "click VKBUTTON_ADD", "click favorit",
                   "remove favorit", "menu delete"}));
}

TEST_F(WPFElementsTest, ListColumnsShowHeadersWidthsAndOnlyDefinedColumns)
{
    m_driver.Do([&] {
        auto* view = qobject_cast<QTreeView*>(DialogDriver::Find(*m_dialog.GetWindow(), "VKLLISTVIEW_ITEMS"));
        ASSERT_NE(view, nullptr);
        const QAbstractItemModel* model = view->model();
        EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QString::fromUtf8("Größe"));
        EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
                  QString::fromUtf8("Zeitpunkt der letzten Änderung"));
        EXPECT_EQ(view->columnWidth(1), 140);
        EXPECT_TRUE(model->data(model->index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        // The longest size stands after the rows measured on screen.
        for (int row = 0; row < 100; ++row)
            m_dialog.m_matrix.DoAdd({"x.txt", "", row < 99 ? "1 KB" : "123.456.789 KB"});
        m_dialog.m_list.AutoSizeGridViewColumns();
        EXPECT_GE(view->columnWidth(2), view->fontMetrics().horizontalAdvance("123.456.789 KB"));
        const int nameWidth = view->columnWidth(0);
        EXPECT_GE(nameWidth, view->fontMetrics().horizontalAdvance(QString::fromUtf8("Abrechnung.txt")));
        // The name column takes what the short texts leave, so the rows span the list.
        EXPECT_GE(nameWidth + view->columnWidth(1) + view->columnWidth(2), view->viewport()->width());
    });
    Run({});
}

} // namespace
