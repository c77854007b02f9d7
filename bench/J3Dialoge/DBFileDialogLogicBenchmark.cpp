// The file dialog's hot path: listing a store directory, filtering, sorting.
// Data: a directory of 100,000 files named brief000001.txt ..., half of them
// *.txt or *.LOG, and a directory of 100 subdirectories with 1,000 files each,
// in a SQLite practice database in a temporary folder.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "J3Dialoge/DBDirectoryListing.h"
#include "J3Dialoge/DBEntrySorter.h"
#include "J3Dialoge/DBFilePathModel.h"
#include "J3Dialoge/DBFileTypeFilter.h"
#include "vkdb/DBFileFind.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

namespace {

constexpr int kManyFiles = 100'000;
constexpr int kSubdirectories = 100;
constexpr int kFilesPerSubdirectory = 1'000;
const char* const kManyDir = "C:\\P\\Data\\viele";
const char* const kParentDir = "C:\\P\\Data\\eltern";

std::string FileName(int index)
{
    static const char* const extensions[] = {".txt", ".LOG", ".doc", ".pdf"};
    char name[32];
    std::snprintf(name, sizeof name, "brief%06d%s", index, extensions[index % 4]);
    return name;
}

// The database with the benchmark's files, built once per run.
class BenchmarkStore {
public:
    static BenchmarkStore& Instance()
    {
        static BenchmarkStore store;
        return store;
    }

    ~BenchmarkStore()
    {
        dbDatabase.Close();
        std::filesystem::remove_all(m_folder);
    }

private:
    BenchmarkStore()
    {
        char pattern[] = "/tmp/j3bench-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        m_folder = pattern;
        if (!dbDatabase.Create(m_folder / "praxis.db"))
            std::abort();
        CDBFileStore store(dbDatabase);
        CVKTransaction transaction(dbDatabase);
        for (int i = 1; i <= kManyFiles; ++i)
            store.SaveFile(CString(std::string(kManyDir) + "\\" + FileName(i)), CString("x"), 1'600'000'000 + i % 977);
        for (int d = 0; d < kSubdirectories; ++d)
            for (int f = 1; f <= kFilesPerSubdirectory; ++f)
                store.SaveFile(CString(std::string(kParentDir) + "\\sub" + std::to_string(d) + "\\" + FileName(f)),
                               CString("x"), 1'600'000'000);
        transaction.Commit();
    }

    std::filesystem::path m_folder;
};

struct SDialogLogic {
    explicit SDialogLogic(const char* dir, const char* filterText, bool allowDirDown = true) : filterText(filterText)
    {
        BenchmarkStore::Instance();
        model.AddAllowedRootDir("C:\\P\\Data", "data");
        model.SetAllowDirChanges(true, allowDirDown);
        if (!model.SetCurrentDir(CString(dir)))
            std::abort();
    }

    CDBFilePathModel model;
    const char* filterText;
    CDBFileTypeFilter filter{&filterText};
    CDBEntrySorter sorter;
};

void BM_ListAndSort100kFiles(benchmark::State& state)
{
    SDialogLogic logic(kManyDir, "Alle|*.*");
    for (auto _ : state) {
        const auto sorted =
            logic.sorter.SortElementsForDisplay(CDBDirectoryListing::FillElementsToDisplay(logic.model, logic.filter));
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BM_ListAndSort100kFiles)->Unit(benchmark::kMillisecond);

// Listing with the two-pattern filter against listing with "*.*": the
// difference is what the filter costs per 100,000 files.
void BM_ListWithFilter(benchmark::State& state)
{
    SDialogLogic logic(kManyDir, state.range(0) ? "Text|*.txt; *.log" : "Alle|*.*");
    for (auto _ : state)
        benchmark::DoNotOptimize(CDBDirectoryListing::FillElementsToDisplay(logic.model, logic.filter).size());
}
BENCHMARK(BM_ListWithFilter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FilterTwoPatterns100kNames(benchmark::State& state)
{
    const char* filterText = "Text|*.txt; *.log";
    const CDBFileTypeFilter filter(&filterText);
    std::vector<std::string> names;
    for (int i = 1; i <= kManyFiles; ++i)
        names.push_back(FileName(i));
    for (auto _ : state) {
        int passed = 0;
        for (const std::string& name : names)
            passed += filter.FileMatchesAnyFilter(std::string_view(name));
        benchmark::DoNotOptimize(passed);
    }
}
BENCHMARK(BM_FilterTwoPatterns100kNames)->Unit(benchmark::kMillisecond);

void BM_Sort100kEntries(benchmark::State& state)
{
    CDBDirectoryEntries entries;
    for (int i = 1; i <= kManyFiles; ++i)
        entries.Add(
            std::string(kManyDir) + "\\" + FileName((i * 7919) % kManyFiles + 1),
            SFileAttributes{false, 1'600'000'000 + (i * 31) % 100'003, static_cast<std::uint64_t>(i * 17 % 65'536)});
    CDBEntrySorter sorter;
    const auto criteria = static_cast<CDBEntrySorter::ESortCriteria>(state.range(0));
    if (criteria != sorter.SortCriteria())
        sorter.SetSortCriteria(criteria);
    for (auto _ : state)
        benchmark::DoNotOptimize(sorter.SortElementsForDisplay(entries).data());
}
BENCHMARK(BM_Sort100kEntries)
    ->ArgName("criteria")
    ->Arg(CDBEntrySorter::SORT_BY_NAME)
    ->Arg(CDBEntrySorter::SORT_BY_LAST_CHANGE)
    ->Arg(CDBEntrySorter::SORT_BY_SIZE)
    ->Unit(benchmark::kMillisecond);

void BM_ListParentOf100Subdirectories(benchmark::State& state)
{
    SDialogLogic logic(kParentDir, "Alle|*.*");
    for (auto _ : state) {
        const auto sorted =
            logic.sorter.SortElementsForDisplay(CDBDirectoryListing::FillElementsToDisplay(logic.model, logic.filter));
        if (sorted.size() != kSubdirectories)
            state.SkipWithError("wrong number of subdirectories");
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BM_ListParentOf100Subdirectories)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The store's own part of a listing: the search and its steps, for reading
// the listing's figures.
void BM_StoreSearch100kFiles(benchmark::State& state)
{
    BenchmarkStore::Instance();
    const std::string pattern = std::string(kManyDir) + "\\*";
    for (auto _ : state) {
        CDBFileFind finder;
        int count = 0;
        for (int more = finder.FindFile(pattern.c_str(), 0); more; ++count)
            more = finder.FindNextFileA();
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_StoreSearch100kFiles)->Unit(benchmark::kMillisecond);

} // namespace
