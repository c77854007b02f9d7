#include "support/GuiApplication.h"
#include "vkwpfcpp/WPFMatrix.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(WPFMatrix, RowsKeepTheirCellsAndShortRowsArePadded)
{
    CWPFMatrix<3> matrix;
    EXPECT_EQ(matrix.DoAdd({"brief.txt", "04.12.2026  09:05:07", "1 KB"}), 0);
    EXPECT_EQ(matrix.DoAdd({"Unterordner\\"}), 1);
    EXPECT_EQ(matrix.GetText(0, 2), "1 KB");
    EXPECT_EQ(matrix.GetText(1, 0), "Unterordner\\");
    EXPECT_TRUE(matrix.GetText(1, 2).IsEmpty());
    matrix.Clear();
    EXPECT_EQ(matrix.Count(), 0);
    EXPECT_EQ(matrix.DoAdd({"neu"}), 0);
}

TEST(WPFMatrix, FlagsReadAsSetUnlessEmptyOrZero)
{
    struct SCase {
        const char* text;
        bool set;
    };
    const SCase cases[] = {{"", false}, {"0", false}, {"1", true}, {"X", true}, {"00", true}};
    CWPFMatrix<2> matrix;
    for (const SCase& c : cases)
        matrix.DoAdd({c.text, "key"});
    for (int row = 0; row < matrix.Count(); ++row)
        EXPECT_EQ(matrix.GetFlag(row, 0), cases[row].set) << "cell text \"" << cases[row].text << "\"";
    matrix.SetFlag(0, 0, true);
    matrix.SetFlag(2, 0, false);
    EXPECT_EQ(matrix.GetText(0, 0), "1");
    EXPECT_EQ(matrix.GetText(2, 0), "0");
}

TEST(WPFMatrix, BadInputIsRefusedAndChangesNothing)
{
    EXPECT_THROW(CWPFMatrixBase(0), std::invalid_argument);
    CWPFMatrixBase matrix(2);
    matrix.DoAdd({"a", "b"});
    EXPECT_THROW(matrix.DoAdd({"a", "b", "c"}), std::invalid_argument);
    EXPECT_EQ(matrix.Count(), 1);
    EXPECT_THROW(matrix.GetText(1, 0), std::out_of_range);
    EXPECT_THROW(matrix.GetText(0, 2), std::out_of_range);
    EXPECT_THROW(matrix.SetText(0, -1, "x"), std::out_of_range);
    EXPECT_EQ(matrix.GetText(0, 1), "b");
}

TEST(WPFMatrix, ViewsSeeAddedRowsAndFormattedCells)
{
    j3test::GuiApplication::Instance();
    CWPFMatrix<2> matrix;
    matrix.SetCheckColumn(0, true);
    matrix.SetColumnAlignment(1, 2);
    matrix.DoAdd({"1", "M\xFCller"});
    matrix.DoAdd({"0", "Gro\xDF"});
    matrix.FlushPendingRows();
    ASSERT_EQ(matrix.rowCount(), 2);
    EXPECT_EQ(matrix.data(matrix.index(0, 1), Qt::DisplayRole).toString(), QString::fromUtf8("Müller"));
    EXPECT_EQ(matrix.data(matrix.index(0, 0), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    EXPECT_EQ(matrix.data(matrix.index(1, 0), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_TRUE(matrix.data(matrix.index(1, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_TRUE(matrix.setData(matrix.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(matrix.GetFlag(1, 0));
    EXPECT_FALSE(matrix.setData(matrix.index(1, 1), Qt::Checked, Qt::CheckStateRole));
}

} // namespace
