#include "win32/Gdiplus.h"
#include "win32/Win32Journal.h"

#include <gtest/gtest.h>

namespace {

TEST(GdiplusTest, SuppressedBackgroundThreadHandsOutHooks)
{
    const int running = Gdiplus::GdiplusRunningCount();
    for (const BOOL suppressed : {0, 1}) {
        Gdiplus::GdiplusStartupInput input;
        input.SuppressBackgroundThread = suppressed;
        Gdiplus::GdiplusStartupOutput output;
        ULONG_PTR token = 0;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, &output), Gdiplus::Ok);
        EXPECT_NE(token, 0u);
        EXPECT_EQ(output.NotificationHook != nullptr, suppressed != 0);
        EXPECT_EQ(output.NotificationUnhook != nullptr, suppressed != 0);
        EXPECT_EQ(Gdiplus::GdiplusRunningCount(), running + 1);
        if (suppressed) {
            ULONG_PTR hookToken = 0;
            EXPECT_EQ(output.NotificationHook(&hookToken), Gdiplus::Ok);
            EXPECT_NE(hookToken, 0u);
            const std::size_t mark = CWin32Journal::Size();
            output.NotificationUnhook(hookToken);
            output.NotificationUnhook(hookToken);
            EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusNotificationUnhook"), 1);
        }
        const std::size_t mark = CWin32Journal::Size();
        Gdiplus::GdiplusShutdown(token);
        Gdiplus::GdiplusShutdown(token);
        EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusShutdown"), 1);
        EXPECT_EQ(Gdiplus::GdiplusRunningCount(), running);
    }
}

TEST(GdiplusTest, BadStartupsGiveNoToken)
{
    Gdiplus::GdiplusStartupInput wrongVersion;
    wrongVersion.GdiplusVersion = 2;
    ULONG_PTR token = 99;
    EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &wrongVersion, nullptr), Gdiplus::UnsupportedGdiplusVersion);
    EXPECT_EQ(token, 0u);

    Gdiplus::GdiplusStartupInput suppressed;
    suppressed.SuppressBackgroundThread = 1;
    token = 99;
    EXPECT_EQ(Gdiplus::GdiplusStartup(&token, &suppressed, nullptr), Gdiplus::InvalidParameter);
    EXPECT_EQ(token, 0u);
    EXPECT_EQ(Gdiplus::GdiplusStartup(nullptr, &suppressed, nullptr), Gdiplus::InvalidParameter);
}

} // namespace
