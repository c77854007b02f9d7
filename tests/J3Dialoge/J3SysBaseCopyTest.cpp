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
    copy.ExitInstance();
    assigned.ExitInstance();
    EXPECT_EQ(CJ3SysBase::GetGdiCount(), 1);
    EXPECT_EQ(Gdiplus::GdiplusRunningCount(), 1);
    original.ExitInstance();
    EXPECT_EQ(CJ3SysBase::GetGdiCount(), 0);
    EXPECT_EQ(CWin32Journal::CountSince(mark, "GdiplusShutdown"), 1);
}

} // namespace
