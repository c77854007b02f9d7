#include "j3db/J3ProgressBar.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(J3ProgressBar, RedrawsOnlyWhenThePercentageChangesAndOnlyWhenEnabled)
{
    for (const auto& [enabled, total] : {std::pair{true, std::size_t{400}}, std::pair{false, std::size_t{400}},
                                         std::pair{true, std::size_t{0}}}) {
        std::ostringstream out;
        CJ3ProgressBar bar(out, enabled, total);
        for (std::size_t done : {1, 2, 4, 400, 500})
            bar.Update(done);
        bar.Finish();
        EXPECT_EQ(out.str(), enabled && total ? "\r[------------------------------]   0% 1/400 Dateien"
                                                "\r[------------------------------]   1% 4/400 Dateien"
                                                "\r[##############################] 100% 400/400 Dateien\n"
                                              : "");
    }
}

} // namespace
