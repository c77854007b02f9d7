#include "support/GuiApplication.h"
#include "vkwpfcpp/WPFMatrix.h"
#include "vkwpfcpp/WPFVKLTreeView.h"
#include "vkwpfcpp/WPFXmlTreeModel.h"

#include <gtest/gtest.h>

#include <QTreeView>

#include <stdexcept>
#include <string>

namespace {

TEST(WPFMatrix, RowsKeepTheirCellsAndBadInputChangesNothing)
{
    CWPFMatrix<3> matrix;
    EXPECT_EQ(matrix.DoAdd({"brief.txt", "04.12.2026  09:05:07", "1 KB"}), 0);
    EXPECT_EQ(matrix.DoAdd({"Unterordner\\"}), 1);  // short rows are padded
    EXPECT_THROW(matrix.DoAdd({"a", "b", "c", "d"}), std::invalid_argument);
    EXPECT_THROW(matrix.GetText(2, 0), std::out_of_range);
    EXPECT_THROW(matrix.GetText(0, 3), std::out_of_range);
    EXPECT_THROW(matrix.SetText(0, -1, "x"), std::out_of_range);
    EXPECT_THROW(CWPFMatrixBase(0), std::invalid_argument);
    EXPECT_EQ(matrix.Count(), 2);
    EXPECT_EQ(matrix.GetText(0, 2), "1 KB");
    EXPECT_TRUE(matrix.GetText(1, 2).IsEmpty());
    matrix.Clear();
    EXPECT_EQ(matrix.DoAdd({"neu"}), 0);
}

TEST(WPFMatrix, FlagsReadAsSetUnlessEmptyOrZeroAndViewsSeeThem)
{
    j3test::GuiApplication::Instance();
    const struct { const char* text; bool set; } cases[] = {
        {"", false}, {"0", false}, {"1", true}, {"X", true}, {"00", true}};
    CWPFMatrix<2> matrix;
    matrix.SetCheckColumn(0, true);
    for (const auto& c : cases)
        matrix.DoAdd({c.text, "M\xFCller"});
    matrix.FlushPendingRows();
    ASSERT_EQ(matrix.rowCount(), 5);
    for (int row = 0; row < matrix.Count(); ++row) {
        EXPECT_EQ(matrix.GetFlag(row, 0), cases[row].set) << "cell text \"" << cases[row].text << "\"";
        EXPECT_EQ(matrix.data(matrix.index(row, 0), Qt::CheckStateRole).value<Qt::CheckState>(),
                  cases[row].set ? Qt::Checked : Qt::Unchecked);
    }
    EXPECT_EQ(matrix.data(matrix.index(0, 1), Qt::DisplayRole).toString(), QString::fromUtf8("Müller"));
    matrix.SetFlag(0, 0, true);
    matrix.SetFlag(2, 0, false);
    EXPECT_EQ(matrix.GetText(0, 0), "1");
    EXPECT_EQ(matrix.GetText(2, 0), "0");
    EXPECT_TRUE(matrix.setData(matrix.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(matrix.GetFlag(1, 0));
    EXPECT_FALSE(matrix.setData(matrix.index(1, 1), Qt::Checked, Qt::CheckStateRole));
}

// A view of rows read as they are shown gets them a batch at a time as it
// shows and scrolls, and further rows when one is selected. Rows found as the
// view scrolls are counted a batch ahead, never past the source's end; while
// batches are held the view gets none.
TEST(WPFMatrix, RowsInBatchesReachTheViewAsItScrollsOrSelects)
{
    j3test::GuiApplication::Instance();
    // found: counted as the view scrolls, not in advance.
    const struct { int rows; bool found, held; std::vector<int> asked, shown; } cases[] = {
        {1000, false, false, {}, {256, 512, 768, 901}},
        {10, true, false, {256}, {10, 10, 10, 10}}, {300, true, false, {256, 512}, {256, 300, 300, 300}},
        {1000, true, false, {256, 512, 768}, {256, 512, 768, 768}}, {1000, true, true, {256}, {256, 256, 256, 256}},
    };
    for (const auto& c : cases) {
        CWPFMatrix<1> matrix;
        const auto cell = [](int row, int) { return CString(std::to_string(row)); };
        std::vector<int> asked;
        if (c.found)
            matrix.SetRowsAsFound(cell, [&](int wanted) { asked.push_back(wanted); return std::min(wanted, c.rows); });
        else
            matrix.SetRowsInBatches(c.rows, cell);
        matrix.HoldBatches(c.held);
        std::vector<int> shown{matrix.rowCount()};
        QTreeView view;
        view.setModel(&matrix);
        view.resize(200, 100);
        view.show();
        shown.push_back(matrix.rowCount());
        view.scrollToBottom();
        shown.push_back(matrix.rowCount());
        matrix.PublishRowsTo(900);
        shown.push_back(matrix.rowCount());
        EXPECT_EQ(asked, c.asked) << c.rows;
        EXPECT_EQ(shown, c.shown) << c.rows;
    }
}

const char* const Document = "<Alle><K Value=\"K1\" KName=\"Eins\"><P Value=\"P1\">a</P><P Value=\"P2\" "
                             "IsEnabled=\"False\">b</P></K><K Value=\"K2\"><P Value=\"P3\">R\xF6ntgen</P></K></Alle>";

// The rows as shown: "text[value]" with children in parentheses, "-" before
// a disabled one.
std::string Shown(const QAbstractItemModel& model, const QModelIndex& parent = QModelIndex())
{
    std::string shown;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        shown += std::string(row ? " " : "") + (index.flags() & Qt::ItemIsEnabled ? "" : "-") +
                 index.data().toString().toStdString() + "[" +
                 index.data(CWPFXmlTreeModel::ValueRole).toString().toStdString() + "]";
        if (model.rowCount(index) > 0)
            shown += "(" + Shown(model, index) + ")";
    }
    return shown;
}

// Binds the document, then removes the nodes of a path (when given) while
// the user has chosen "Röntgen", which stays chosen.
TEST(WPFVKLTreeView, ShowsTheElementsBelowTheItemPathAndRemovesNodesByPath)
{
    const std::string all = "Eins[K1](a[P1] -b[P2]) K[K2](Röntgen[P3])";
    // Valid: bound, and the path of removal valid.
    const struct { const char *document, *root, *itemPath, *removed; bool valid; std::string shown; } cases[] = {
        {Document, "Alle", ".", nullptr, true, all},
        {Document, "Alle", "K", nullptr, true, "a[P1] -b[P2] Röntgen[P3]"},
        {Document, "Andere", ".", nullptr, false, ""},
        {Document, "Alle", "K[", nullptr, false, ""},
        {"<Alle><K>", "Alle", ".", nullptr, false, ""},
        {Document, "Alle", ".", "*/*[@Value = \"P1\"]", true, "Eins[K1](-b[P2]) K[K2](Röntgen[P3])"},
        {Document, "Alle", ".", "K[@Value = \"K1\"]", true, "K[K2](Röntgen[P3])"},
        {Document, "Alle", ".", "*/*[@Value = \"P9\"]", true, all},
        {Document, "Alle", ".", "*/*[@Value = ", false, all},
    };
    j3test::GuiApplication::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.root) + " " + c.itemPath + " " + (c.removed ? c.removed : ""));
        QTreeView view;
        CWPFVKLTreeView tree;
        ASSERT_TRUE(tree.Attach(&view));
        tree.BindXML(Document, "Alle", "K");  // a former document goes
        const bool bound = tree.BindXML(c.document, c.root, c.itemPath);
        if (c.removed) {
            ASSERT_TRUE(bound);
            view.selectionModel()->select(view.model()->index(0, 0, view.model()->index(1, 0)),
                                          QItemSelectionModel::ClearAndSelect);
            EXPECT_EQ(tree.RemoveXMLNode(c.removed), c.valid);
            EXPECT_EQ(tree.GetSelectedValue(), "P3");
        } else {
            EXPECT_EQ(bound, c.valid);
        }
        EXPECT_EQ(Shown(*view.model()), c.shown);
    }
}

} // namespace
