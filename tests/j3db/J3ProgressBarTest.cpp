#include "j3db/J3ProgressBar.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(J3ProgressBar, DrawsABarOnATerminalALinePerTenthElsewhereAndNothingWhenOff)
{
    using EStyle = CJ3ProgressBar::EStyle;
    const struct {
        EStyle style;
        std::size_t total;
        const char* expected;
    } cases[] = {
        {EStyle::Bar, 400,
         "\r[------------------------------]   0% 1/400 Dateien"
         "\r[------------------------------]   1% 4/400 Dateien"
         "\r[###---------------------------]  10% 40/400 Dateien"
         "\r[#####-------------------------]  19% 79/400 Dateien"
         "\r[##############################] 100% 400/400 Dateien\n"},
        {EStyle::Lines, 400, "  0% 1/400 Dateien\n 10% 40/400 Dateien\n100% 400/400 Dateien\n"},
        {EStyle::Off, 400, ""},
        {EStyle::Bar, 0, ""},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        CJ3ProgressBar bar(out, c.style, c.total);
        for (std::size_t done : {1, 2, 4, 40, 79, 400, 500})
            bar.Update(done);
        bar.Finish();
        EXPECT_EQ(out.str(), c.expected);
    }
}

} // namespace
