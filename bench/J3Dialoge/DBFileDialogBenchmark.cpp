// The file dialog as a user meets it: opening it on a store directory of many
// files until the list is painted, with and without a two-pattern filter;
// a click on a column header that re-sorts the rows; and the memory a large
// listing takes. Data: directories of 10,000 and 100,000 files named
// brief000001.txt ... (half of them *.txt or *.LOG) in a SQLite practice
// database in a temporary folder; offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include "support/BenchDialogs.h"
#include <QDialog>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>

#include "J3Dialoge/DBFileDialog.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

namespace {

const char* const kRoot = "C:\\P\\Data";
const char* const kAllFiles = "Alle|*.*||";
const char* const kTextsAndLogs = "Texte|*.txt; *.log||";

std::string DirectoryOf(int files)
{
    return std::string(kRoot) + "\\n" + std::to_string(files);
}

using j3bench::Application;

// The database with the benchmark's directories, built once per run.
class BenchmarkStore {
public:
    static void Ensure()
    {
        static BenchmarkStore store;
    }

    ~BenchmarkStore()
    {
        dbDatabase.Close();
        std::filesystem::remove_all(m_folder);
    }

private:
    BenchmarkStore()
    {
        char pattern[] = "/tmp/j3bench-dialog-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        m_folder = pattern;
        if (!dbDatabase.Create(m_folder / "praxis.db"))
            std::abort();
        static const char* const extensions[] = {".txt", ".LOG", ".doc", ".pdf"};
        CDBFileStore store(dbDatabase);
        CVKTransaction transaction(dbDatabase);
        store.SaveFile(CString(DirectoryOf(1) + "\\einzeln.txt"), CString("x"), 1'600'000'000);
        for (int files : {10'000, 100'000}) {
            for (int i = 1; i <= files; ++i) {
                char name[32];
                std::snprintf(name, sizeof name, "\\brief%06d%s", i, extensions[i % 4]);
                store.SaveFile(CString(DirectoryOf(files) + name), CString("x"), 1'600'000'000 + i % 977);
            }
        }
        transaction.Commit();
    }

    std::filesystem::path m_folder;
};

// Opens a dialog on the directory and calls whenShown once the list is
// painted; whenShown ends the dialog.
void OpenDialog(int files, const char* filter, const std::function<void(CDBFileDialog&, QTreeView&)>& whenShown)
{
    Application();
    BenchmarkStore::Ensure();
    const std::string dir = DirectoryOf(files);
    CDBFileDialog dialog(1, nullptr, nullptr, OFN_ALLOWMULTISELECT, filter, nullptr, 0, 0);
    dialog.AddAllowedRootDir(kRoot, "data");
    dialog.GetOFN().lpstrInitialDir = dir.c_str();
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QDialog* window = dialog.GetWindow();
        if (!window || !dialog.IsContentRendered())
            return;
        poll.stop();
        auto* view = window->findChild<QTreeView*>("VKLLISTVIEW_FILELIST");
        view->viewport()->repaint();
        whenShown(dialog, *view);
    });
    poll.start();
    if (dialog.DoModal() != 2)
        std::abort();
}

// Peak resident memory of a dialog on 100,000 files above that of a dialog
// on a directory of one file (getrusage, so the figure is the growth of the
// process's peak; it runs first, before other benchmarks raise the peak).
long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_PeakMemoryOf100kListing(benchmark::State& state)
{
    for (auto _ : state) {
        OpenDialog(1, kAllFiles, [](CDBFileDialog& dialog, QTreeView&) { dialog.OnExit(); });
        const long small = PeakKiB();
        OpenDialog(100'000, kAllFiles, [](CDBFileDialog& dialog, QTreeView&) { dialog.OnExit(); });
        state.counters["peak_growth_MB"] = static_cast<double>(PeakKiB() - small) / 1024.0;
    }
}
BENCHMARK(BM_PeakMemoryOf100kListing)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenDialogUntilPainted(benchmark::State& state)
{
    const int files = static_cast<int>(state.range(0));
    const char* filter = state.range(1) ? kTextsAndLogs : kAllFiles;
    for (auto _ : state)
        OpenDialog(files, filter, [](CDBFileDialog& dialog, QTreeView&) { dialog.OnExit(); });
}
BENCHMARK(BM_OpenDialogUntilPainted)
    ->Args({10'000, 0})
    ->Args({100'000, 0})
    ->Args({100'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A click on the size header, then on the name header: two re-sorts of
// 100,000 rows, each repainted.
void BM_HeaderClickResorts100k(benchmark::State& state)
{
    OpenDialog(100'000, kAllFiles, [&state](CDBFileDialog& dialog, QTreeView& view) {
        int column = 0;
        for (auto _ : state) {
            column = column == 2 ? 0 : 2;
            emit view.header()->sectionClicked(column);
            view.viewport()->repaint();
        }
        dialog.OnExit();
    });
}
BENCHMARK(BM_HeaderClickResorts100k)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
