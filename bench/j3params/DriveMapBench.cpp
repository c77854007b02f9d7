#include "j3params/J3DriveMap.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

// A drive folder holding a chain of nested folders "a", levels deep, made
// and removed one level at a time (its full path is far beyond PATH_MAX).
class CDeepDrive {
public:
    explicit CDeepDrive(int levels) : m_levels(levels)
    {
        std::string pattern = "/tmp/j3drivebench-XXXXXX";
        m_folder = ::mkdtemp(pattern.data());
        int at = ::open(m_folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        for (int level = 0; level < levels; ++level) {
            ::mkdirat(at, "a", 0700);
            const int next = ::openat(at, "a", O_PATH | O_DIRECTORY | O_CLOEXEC);
            ::close(at);
            at = next;
        }
        ::close(at);
    }
    CDeepDrive(const CDeepDrive&) = delete;
    CDeepDrive& operator=(const CDeepDrive&) = delete;
    ~CDeepDrive()
    {
        int at = Descend(m_levels - 1);
        for (int level = m_levels; level > 0; --level) {
            ::unlinkat(at, "a", AT_REMOVEDIR);
            const int up = ::openat(at, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
            ::close(at);
            at = up;
        }
        ::close(at);
        ::rmdir(m_folder.c_str());
    }

    // The bare reference: the folder of that level reached by openat alone.
    int Descend(int levels) const
    {
        int at = ::open(m_folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        for (int level = 0; level < levels; ++level) {
            const int next = ::openat(at, "a", O_PATH | O_DIRECTORY | O_CLOEXEC);
            ::close(at);
            at = next;
        }
        return at;
    }

    const std::string& Folder() const { return m_folder; }

private:
    int m_levels;
    std::string m_folder;
};

std::string DeepWindowsPath(int levels)
{
    std::string path = "C:";
    for (int level = 0; level < levels; ++level)
        path += "\\a";
    return path;
}

void BM_MapDeepPath(benchmark::State& state)
{
    const int levels = static_cast<int>(state.range(0));
    const CDeepDrive drive(levels);
    CJ3DriveMap drives;
    drives.Map('C', drive.Folder());
    const std::string windowsPath = DeepWindowsPath(levels);
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(drives.ToHostPath(windowsPath, error));
        if (!error.empty())
            state.SkipWithError(error.c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(windowsPath.size()));
}
BENCHMARK(BM_MapDeepPath)->Arg(1'000)->Arg(5'000)->Arg(25'000)->Unit(benchmark::kMillisecond);

void BM_BareDescent(benchmark::State& state)
{
    const int levels = static_cast<int>(state.range(0));
    const CDeepDrive drive(levels);
    for (auto _ : state)
        ::close(drive.Descend(levels));
}
BENCHMARK(BM_BareDescent)->Arg(25'000)->Unit(benchmark::kMillisecond);

} // namespace
