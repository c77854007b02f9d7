#include "vkbasis/Trace.h"
#include "vkbasis/TerminalText.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace {

std::mutex& SinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

VKTraceSink& InstalledSink()
{
    static VKTraceSink sink;
    return sink;
}

} // namespace

void VKTrace(int level, int area, const char* source, int line, const char* format, ...)
{
    SVKTraceEntry entry{level, area, CString(source), line, CString()};
    va_list args;
    va_start(args, format);
    entry.text.FormatV(format, args);
    va_end(args);

    // A copy, so that a sink may itself trace or replace the sink.
    VKTraceSink sink;
    {
        const std::lock_guard<std::mutex> lock(SinkMutex());
        sink = InstalledSink();
    }
    if (sink)
        sink(entry);
    else
        std::fprintf(stderr, "VKTrace %d/%d %s(%d): %s\n", level, area, CTerminalText::Safe(entry.source.str()).c_str(),
                     line, CTerminalText::Message(entry.text.str()).c_str());
}

VKTraceSink SetVKTraceSink(VKTraceSink sink)
{
    const std::lock_guard<std::mutex> lock(SinkMutex());
    return std::exchange(InstalledSink(), std::move(sink));
}
