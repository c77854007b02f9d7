#include "J3WinAppFixture.h"

#include "J3Dialoge/J3SysBase.h"
#include "win32/Gdiplus.h"
#include "win32/Win32Journal.h"

namespace {

using J3SysBaseCopyTest = J3WinAppFixture;

TEST_F(J3SysBaseCopyTest, CopiesOfStartedServicesGiveBackNothingTheyDidNotTake)
{
    const std::size_t mark = CWin32Journal::Size();
    CJ3SysBase original;
    ASSERT_EQ(original.InitInstance(), 1);
    CJ3SysBase copy(original);
    CJ3SysBase assigned;
    assigned = original;
    EXPECT_EQ(copy.GetGdiplusToken(), original.GetGdiplusToken());
    EXPECT_EQ(assigned.GetGdiplusHookToken(), original.GetGdiplusHookToken());

    copy.ExitInstance();
    assigned.ExitInstance();
    EXPECT_EQ(CJ3SysBase::GetGdiCount(), 1);
    EXPECT_EQ(Gdiplus::GdiplusRunningCount(), 1);
    EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusShutdown"), 0);

    original.ExitInstance();
    EXPECT_EQ(CJ3SysBase::GetGdiCount(), 0);
    EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusShutdown"), 1);

    // The next object finds the count at 0 and starts GDI+ again.
    CJ3SysBase next;
    ASSERT_EQ(next.InitInstance(), 1);
    EXPECT_NE(next.GetGdiplusToken(), 0u);
    next.ExitInstance();
    EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusStartup"), 2);
}

} // namespace
