#include "j3db/J3ProgressBar.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(J3ProgressBar, RedrawsOnlyWhenThePercentageChanges)
{
    std::ostringstream out;
    CJ3ProgressBar bar(out, true, 400);
    bar.Update(1);
    bar.Update(2);
    bar.Update(4);
    bar.Update(400);
    bar.Update(500);
    bar.Finish();
    EXPECT_EQ(out.str(), "\r[------------------------------]   0% 1/400 Dateien"
                         "\r[------------------------------]   1% 4/400 Dateien"
                         "\r[##############################] 100% 400/400 Dateien\n");
}

TEST(J3ProgressBar, DrawsNothingWhenDisabledOrEmpty)
{
    for (const auto& [enabled, total] : {std::pair{false, std::size_t{10}}, std::pair{true, std::size_t{0}}}) {
        std::ostringstream out;
        CJ3ProgressBar bar(out, enabled, total);
        bar.Update(5);
        bar.Finish();
        EXPECT_EQ(out.str(), "");
    }
}

} // namespace
