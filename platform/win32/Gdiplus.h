#pragma once
#include "win32/WinTypes.h"

// GDI+ start-up and shut-down. Drawing itself is Qt's; what remains is the
// bookkeeping of tokens and notification hooks, noted in the journal, so
// that a program can see that it started and ended GDI+ exactly once.
namespace Gdiplus {

enum Status { Ok = 0, GenericError = 1, InvalidParameter = 2, UnsupportedGdiplusVersion = 17 };

using DebugEventProc = void (*)(int level, char* message);
using NotificationHookProc = Status (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);

struct GdiplusStartupInput {
    std::uint32_t GdiplusVersion = 1;
    DebugEventProc DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = 0;
    BOOL SuppressExternalCodecs = 0;
};

// The hooks are filled only when the background thread is suppressed: the
// caller then drives GDI+'s background work through them.
struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook = nullptr;
    NotificationUnhookProc NotificationUnhook = nullptr;
};

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
// An unknown or already ended token is ignored.
void GdiplusShutdown(ULONG_PTR token);
// Number of start-ups not yet shut down.
int GdiplusRunningCount();

} // namespace Gdiplus
