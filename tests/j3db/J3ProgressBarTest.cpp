#include "j3db/J3ProgressBar.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(J3ProgressBar, DrawsABarOnATerminalALinePerTenthElsewhereAndNothingWhenOff)
{
    using EStyle = CJ3ProgressBar::EStyle;
    for (const auto& [style, total, expected] : {
             std::tuple{EStyle::Bar, 400, "\r[------------------------------]   0% 1/400 Dateien"
                                          "\r[------------------------------]   1% 4/400 Dateien"
                                          "\r[###---------------------------]  10% 40/400 Dateien"
                                          "\r[#####-------------------------]  19% 79/400 Dateien"
                                          "\r[##############################] 100% 400/400 Dateien\n"},
             std::tuple{EStyle::Lines, 400, "  0% 1/400 Dateien\n 10% 40/400 Dateien\n100% 400/400 Dateien\n"},
             std::tuple{EStyle::Off, 400, ""}, std::tuple{EStyle::Bar, 0, ""}}) {
        std::ostringstream out;
        CJ3ProgressBar bar(out, style, static_cast<std::size_t>(total));
        for (std::size_t done : {1, 2, 4, 40, 79, 400, 500})
            bar.Update(done);
        bar.Finish();
        EXPECT_EQ(out.str(), expected);
    }
}

} // namespace
