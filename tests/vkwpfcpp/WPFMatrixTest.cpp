#include "support/GuiApplication.h"
#include "vkwpfcpp/WPFMatrix.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(WPFMatrix, RowsKeepTheirCellsAndBadInputChangesNothing)
{
    CWPFMatrix<3> matrix;
    EXPECT_EQ(matrix.DoAdd({"brief.txt", "04.12.2026  09:05:07", "1 KB"}), 0);
    EXPECT_EQ(matrix.DoAdd({"Unterordner\\"}), 1);  // short rows are padded
    EXPECT_EQ(matrix.GetText(0, 2), "1 KB");
    EXPECT_EQ(matrix.GetText(1, 0), "Unterordner\\");
    EXPECT_TRUE(matrix.GetText(1, 2).IsEmpty());
    EXPECT_THROW(matrix.DoAdd({"a", "b", "c", "d"}), std::invalid_argument);
    EXPECT_EQ(matrix.Count(), 2);
    EXPECT_THROW(matrix.GetText(2, 0), std::out_of_range);
    EXPECT_THROW(matrix.GetText(0, 3), std::out_of_range);
    EXPECT_THROW(matrix.SetText(0, -1, "x"), std::out_of_range);
    EXPECT_EQ(matrix.GetText(0, 1), "04.12.2026  09:05:07");
    EXPECT_THROW(CWPFMatrixBase(0), std::invalid_argument);
    matrix.Clear();
    EXPECT_EQ(matrix.Count(), 0);
    EXPECT_EQ(matrix.DoAdd({"neu"}), 0);
}

TEST(WPFMatrix, FlagsReadAsSetUnlessEmptyOrZeroAndViewsSeeThem)
{
    j3test::GuiApplication::Instance();
    const struct { const char* text; bool set; } cases[] = {
        {"", false}, {"0", false}, {"1", true}, {"X", true}, {"00", true}};
    CWPFMatrix<2> matrix;
    matrix.SetCheckColumn(0, true);
    matrix.SetColumnAlignment(1, 2);
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
    EXPECT_TRUE(matrix.data(matrix.index(1, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    matrix.SetFlag(0, 0, true);
    matrix.SetFlag(2, 0, false);
    EXPECT_EQ(matrix.GetText(0, 0), "1");
    EXPECT_EQ(matrix.GetText(2, 0), "0");
    EXPECT_TRUE(matrix.setData(matrix.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(matrix.GetFlag(1, 0));
    EXPECT_FALSE(matrix.setData(matrix.index(1, 1), Qt::Checked, Qt::CheckStateRole));
}

} // namespace
