#include "vkbasis/ExitFunctions.h"
#include "vkbasis/Trace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

TEST(TraceTest, SinksReceiveEveryPartFormattedAndMayTraceThemselves)
{
    std::vector<SVKTraceEntry> entries;
    const VKTraceSink previous = SetVKTraceSink([&entries](const SVKTraceEntry& entry) {
        entries.push_back(entry);
        if (entry.level > 0)
            VKTrace(entry.level - 1, 0, "sink", 0, "echo");
    });
    VKTrace(1, 7, "J3WinApp", 36, "%s hat %d Eintr\xE4ge", "Liste", 3);
    // Replacing the sink hands back the former one.
    std::vector<CString> other;
    const VKTraceSink mine = SetVKTraceSink([&other](const SVKTraceEntry& entry) { other.push_back(entry.text); });
    VKTrace(0, 0, nullptr, 0, "to the other");
    SetVKTraceSink(mine);
    SetVKTraceSink(previous);

    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].source, "J3WinApp");
    EXPECT_EQ(entries[0].line, 36);
    EXPECT_EQ(entries[0].area, 7);
    EXPECT_EQ(entries[0].text, "Liste hat 3 Eintr\xE4ge");
    EXPECT_EQ(entries[1].text, "echo");
    EXPECT_EQ(other, std::vector<CString>{"to the other"});
}

TEST(TraceTest, WithoutSinkOneLineGoesToStderr)
{
    testing::internal::CaptureStderr();
    VKTrace(2, 0, "J3WinApp", 36, "%s", "gp_VKSysBase");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "VKTrace 2/0 J3WinApp(36): gp_VKSysBase\n");
}

void SayFirst()
{
    std::fputs("first registered\n", stderr);
}

void SaySecond()
{
    std::fputs("second registered\n", stderr);
}

TEST(TraceTest, ExitFunctionsRunInReverseOrderAndNullIsRefused)
{
    EXPECT_FALSE(AtVKExit(nullptr));
    EXPECT_EXIT(
        {
            const bool registered = AtVKExit(SayFirst) && AtVKExit(SaySecond);
            std::exit(registered ? 0 : 3);
        },
        testing::ExitedWithCode(0), "second registered\nfirst registered\n");
}

} // namespace
