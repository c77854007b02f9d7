#include "vkbasis/ExitFunctions.h"
#include "vkbasis/Trace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Installs a sink that collects every trace for one test and puts the
// previous sink back afterwards.
class CollectedTraces : public testing::Test {
protected:
    void SetUp() override
    {
        m_previous = SetVKTraceSink([this](const SVKTraceEntry& entry) { m_entries.push_back(entry); });
    }
    void TearDown() override { SetVKTraceSink(m_previous); }

    std::vector<SVKTraceEntry> m_entries;

private:
    VKTraceSink m_previous;
};

TEST_F(CollectedTraces, SinkReceivesEveryPartFormatted)
{
    VKTrace(2, 0, "J3WinApp", 36, "gp_VKSysBase");
    VKTrace(1, 7, nullptr, 0, "%s hat %d Eintr\xE4ge", "Liste", 3);
    ASSERT_EQ(m_entries.size(), 2u);
    EXPECT_EQ(m_entries[0].source, "J3WinApp");
    EXPECT_EQ(m_entries[0].line, 36);
    EXPECT_EQ(m_entries[1].area, 7);
    EXPECT_EQ(m_entries[1].text, "Liste hat 3 Eintr\xE4ge");
}

TEST_F(CollectedTraces, ReplacingTheSinkHandsBackTheFormerOne)
{
    std::vector<CString> other;
    VKTraceSink mine = SetVKTraceSink([&other](const SVKTraceEntry& entry) { other.push_back(entry.text); });
    VKTrace(0, 0, "x", 1, "to the other");
    SetVKTraceSink(mine);
    VKTrace(0, 0, "x", 2, "to mine");
    EXPECT_EQ(other, std::vector<CString>{"to the other"});
    ASSERT_EQ(m_entries.size(), 1u);
    EXPECT_EQ(m_entries[0].text, "to mine");
}

TEST_F(CollectedTraces, ASinkMayTraceItself)
{
    SetVKTraceSink([this](const SVKTraceEntry& entry) {
        m_entries.push_back(entry);
        if (entry.level > 0)
            VKTrace(entry.level - 1, 0, "sink", 0, "echo");
    });
    VKTrace(2, 0, "x", 1, "start");
    ASSERT_EQ(m_entries.size(), 3u);
    EXPECT_EQ(m_entries[2].text, "echo");
}

TEST(TraceWithoutSink, WritesOneLineToStderr)
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

TEST(AtVKExit, RunsFunctionsAtExitInReverseOrderAndRefusesNull)
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
