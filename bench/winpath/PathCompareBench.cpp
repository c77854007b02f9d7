#include "winpath/Path.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <unordered_set>
#include <vector>

namespace {

// A file listing like the store's: 100 directories of 1,000 letters each,
// inserted in an order that is not the sorted one.
std::vector<winpath::path> Listing(std::size_t count)
{
    std::vector<winpath::path> paths;
    paths.reserve(count);
    wchar_t text[64];
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t scrambled = (i * 7919) % count;
        std::swprintf(text, std::size(text), L"C:\\P\\Data\\Dir%03zu\\brief%06zu.txt", scrambled % 100, scrambled);
        paths.emplace_back(text);
    }
    return paths;
}

// Plain text keys with the text's own ordering show the floor that node
// allocation and cache misses set for any key type.
template <class Key> void BM_MapInsert(benchmark::State& state)
{
    const std::vector<winpath::path> paths = Listing(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::map<Key, int> listing;
        for (const winpath::path& p : paths)
            listing.emplace(Key(p), 0);
        benchmark::DoNotOptimize(listing.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_TEMPLATE(BM_MapInsert, winpath::path)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_MapInsert, std::wstring)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_HashSetInsert(benchmark::State& state)
{
    const std::vector<winpath::path> paths = Listing(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::unordered_set<winpath::path> listing(paths.begin(), paths.end());
        benchmark::DoNotOptimize(listing.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HashSetInsert)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_CompareSiblings(benchmark::State& state)
{
    const winpath::path lhs(L"C:\\P\\Data\\Dir042\\brief004242.txt");
    const winpath::path rhs(L"C:/P/Data/Dir042//brief004243.txt");
    for (auto _ : state)
        benchmark::DoNotOptimize(lhs.compare(rhs));
}
BENCHMARK(BM_CompareSiblings);

} // namespace
