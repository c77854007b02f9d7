#include "win32/Gdiplus.h"

#include "win32/Win32Journal.h"

#include <mutex>
#include <set>

namespace Gdiplus {
namespace {

std::mutex& StateMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<ULONG_PTR>& RunningTokens()
{
    static std::set<ULONG_PTR> tokens;
    return tokens;
}

std::set<ULONG_PTR>& HookTokens()
{
    static std::set<ULONG_PTR> tokens;
    return tokens;
}

ULONG_PTR NextToken()
{
    static ULONG_PTR next = 0;
    return ++next;
}

Status NotificationHook(ULONG_PTR* token)
{
    if (!token)
        return InvalidParameter;
    std::lock_guard lock(StateMutex());
    *token = NextToken();
    HookTokens().insert(*token);
    CWin32Journal::Record("GdiplusNotificationHook");
    return Ok;
}

void NotificationUnhook(ULONG_PTR token)
{
    std::lock_guard lock(StateMutex());
    if (HookTokens().erase(token))
        CWin32Journal::Record("GdiplusNotificationUnhook");
}

} // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output)
{
    if (!token || !input)
        return InvalidParameter;
    *token = 0;
    if (input->GdiplusVersion != 1)
        return UnsupportedGdiplusVersion;
    if (input->SuppressBackgroundThread && !output)
        return InvalidParameter;
    if (output) {
        const bool hooked = input->SuppressBackgroundThread != 0;
        output->NotificationHook = hooked ? &NotificationHook : nullptr;
        output->NotificationUnhook = hooked ? &NotificationUnhook : nullptr;
    }
    std::lock_guard lock(StateMutex());
    *token = NextToken();
    RunningTokens().insert(*token);
    CWin32Journal::Record("GdiplusStartup");
    return Ok;
}

void GdiplusShutdown(ULONG_PTR token)
{
    std::lock_guard lock(StateMutex());
    if (RunningTokens().erase(token))
        CWin32Journal::Record("GdiplusShutdown");
}

int GdiplusRunningCount()
{
    std::lock_guard lock(StateMutex());
    return static_cast<int>(RunningTokens().size());
}

} // namespace Gdiplus
