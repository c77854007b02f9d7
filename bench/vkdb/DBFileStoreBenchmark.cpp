#include "support/TempDir.h"
#include "vkdb/DBFileFind.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/DBStorePath.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int FlatFiles = 100000;
constexpr int SubDirs = 100;
constexpr int FilesPerSubDir = 1000;
const char* const FlatDir = "C:\\P\\Flat\\";
const char* const TreeDir = "C:\\P\\Tree\\";

std::string Numbered(const char* format, int n)
{
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

// One practice database for every benchmark: a directory of 100,000 files
// (half *.txt, half *.LOG) and a directory of 100 subdirectories holding
// 1,000 files each.
struct Fixture {
    Fixture()
    {
        if (!database.Create(folder.path() / "bench.j3db"))
            Abort();
        CDBFileStore store(database);
        CVKTransaction bulk(database);
        for (int i = 1; i <= FlatFiles; ++i)
            if (!store.SaveFile(CString(FlatDir + Numbered(i % 2 ? "brief%06d.txt" : "brief%06d.LOG", i)), "x", i))
                Abort();
        for (int d = 0; d < SubDirs; ++d)
            for (int i = 1; i <= FilesPerSubDir; ++i)
                if (!store.SaveFile(CString(TreeDir + Numbered("dir%03d\\", d) + Numbered("brief%06d.txt", i)), "x", i))
                    Abort();
        if (!bulk.Commit())
            Abort();
        database.Close();
        if (!database.Open(folder.path() / "bench.j3db"))
            Abort();
        sqlite3_open_v2((folder.path() / "bench.j3db").c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    }
    ~Fixture() { sqlite3_close(raw); }

    [[noreturn]] void Abort()
    {
        std::fprintf(stderr, "benchmark set-up failed: %s\n", database.GetLastError().GetString());
        std::abort();
    }

    j3test::TempDir folder;
    CVKDatabase database;
    sqlite3* raw = nullptr;
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

// The plain range scan over the covering index: every row below the
// directory, columns read, nothing built.
void RawScan(benchmark::State& state, const char* directory)
{
    sqlite3* raw = Data().raw;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw,
                       "SELECT pathkey, path, mtime, size FROM files INDEXED BY files_listing "
                       "WHERE pathkey >= ?1 AND pathkey < ?2 ORDER BY pathkey",
                       -1, &statement, nullptr);
    const std::string from = CDBStorePath::Key(directory);
    const std::string to = CDBStorePath::PrefixEnd(from);
    std::int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_bind_blob(statement, 1, from.data(), static_cast<int>(from.size()), SQLITE_STATIC);
        sqlite3_bind_blob(statement, 2, to.data(), static_cast<int>(to.size()), SQLITE_STATIC);
        std::int64_t checksum = 0;
        rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            checksum += sqlite3_column_bytes(statement, 0) + sqlite3_column_bytes(statement, 1);
            benchmark::DoNotOptimize(sqlite3_column_blob(statement, 1));
            checksum += sqlite3_column_int64(statement, 2) + sqlite3_column_int64(statement, 3);
            ++rows;
        }
        sqlite3_reset(statement);
        benchmark::DoNotOptimize(checksum);
    }
    state.counters["rows"] = static_cast<double>(rows);
    sqlite3_finalize(statement);
}

// The store's listing as the file dialog gets it: the finder's FindFile.
void FinderListing(benchmark::State& state, const char* directory)
{
    const CString pattern = CString(directory) + "*";
    for (auto _ : state) {
        CDBFileFind finder(&Data().database);
        benchmark::DoNotOptimize(finder.FindFile(pattern, 0));
    }
}

// The module's whole road: the listing, then every entry stepped through
// and its path text, length and time read.
void FinderSteppedWithTexts(benchmark::State& state, const char* directory)
{
    const CString pattern = CString(directory) + "*";
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        CDBFileFind finder(&Data().database);
        for (int more = finder.FindFile(pattern, 0); more;) {
            more = finder.FindNextFileA();
            std::int64_t time = 0;
            finder.GetLastWriteTime(time);
            bytes += finder.GetLength() + static_cast<std::uint64_t>(finder.GetFilePath().GetLength() + time);
        }
    }
    benchmark::DoNotOptimize(bytes);
}

// The entries as separate records with their own path texts (the admin tool's form).
void StoreFindEntries(benchmark::State& state, const char* directory)
{
    CDBFileStore store(Data().database);
    const CString pattern = CString(directory) + "*";
    std::size_t entries = 0;
    for (auto _ : state) {
        const auto listing = store.Find(pattern);
        entries = listing.size();
        benchmark::DoNotOptimize(listing.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
}

} // namespace

BENCHMARK_CAPTURE(RawScan, flat_100k_files, FlatDir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FinderListing, flat_100k_files, FlatDir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FinderSteppedWithTexts, flat_100k_files, FlatDir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreFindEntries, flat_100k_files, FlatDir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawScan, parent_of_100_dirs_100k_below, TreeDir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FinderListing, parent_of_100_dirs_100k_below, TreeDir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FinderSteppedWithTexts, parent_of_100_dirs_100k_below, TreeDir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreFindEntries, parent_of_100_dirs_100k_below, TreeDir)->Unit(benchmark::kMillisecond);
