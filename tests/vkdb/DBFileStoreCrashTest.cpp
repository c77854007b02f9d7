#include "PracticeFile.h"

#include "vkdb/DBFileStore.h"

#include <csignal>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int BaseLength = 200000;

// Generation g of the file: BaseLength + g * 7 bytes, every byte g % 251.
// Anything else found after a kill is a torn write.
CString Generation(int g)
{
    return CString(static_cast<char>(g % 251), BaseLength + g * 7);
}

[[noreturn]] void WriteGenerationsForever(const std::filesystem::path& location, int first)
{
    CVKDatabase db;
    if (!db.Open(location))
        _exit(2);
    CDBFileStore store(db);
    for (int g = first;; ++g)
        if (!store.SaveFile("C:\\absturz\\datei.bin", Generation(g)))
            _exit(3);
}

} // namespace

TEST_F(PracticeFile, KilledWriterLeavesTheOldOrTheNewContent)
{
    CDBFileStore store(db);
    ASSERT_TRUE(store.SaveFile("C:\\absturz\\datei.bin", Generation(0)));
    db.Close();
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> delayUs(500, 60000);
    int lastGeneration = 0;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            WriteGenerationsForever(Location(), lastGeneration + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with " << WEXITSTATUS(status);

        ASSERT_TRUE(db.Open(Location())) << db.GetLastError().GetString();
        CString content;
        ASSERT_TRUE(store.LoadFile("C:\\absturz\\datei.bin", content));
        const int generation = (content.GetLength() - BaseLength) / 7;
        EXPECT_GE(generation, lastGeneration);
        EXPECT_TRUE(content == Generation(generation)) << "torn content of length " << content.GetLength();
        EXPECT_EQ(store.Find("C:\\absturz\\datei.bin").at(0).length, static_cast<std::uint64_t>(content.GetLength()));
        EXPECT_TRUE(db.CheckIntegrity()) << db.GetLastError().GetString();
        db.Close();
        lastGeneration = generation;
    }
}
