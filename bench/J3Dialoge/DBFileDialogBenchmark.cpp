// The file dialog as a user meets it: opening it on a store directory of many
// files until its first screen is painted, with and without a two-pattern
// filter, beside a bare reference measured in the same run (a plain
// QTreeView over a QAbstractTableModel filled by one query over the same
// store rows, painted once); how long the window stays without answer while
// the rest of the listing is read; a click on a column header that re-sorts
// the rows; closing the dialog while a large listing is read; and the
// memory a large listing takes above an empty dialog.
//
// Data: directories of 10,000, 100,000 and 1,000,000 files named
// brief0000001.txt ... (half of them *.txt or *.LOG) in a SQLite practice
// database in a temporary folder, offscreen platform. The whole store is
// built before the first benchmark runs, whichever benchmarks are chosen,
// so every figure is measured on the same database. Set J3_BENCH_STORE to a
// file name to keep the store between runs (it is built when missing).
//
// Peak memory is measured in a fresh process of this program for each
// figure, so it does not depend on what ran before it.

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>

#include "J3Dialoge/DBFileDialog.h"
#include "support/BenchDialogs.h"
#include "vkdb/DBFileFunctions.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/DBStorePath.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"

namespace {

const char* const kRoot = "C:\\P\\Data";
const char* const kAllFiles = "Alle|*.*||";
const char* const kTextsAndLogs = "Texte|*.txt; *.log||";
const char* const kPeakMemoryOption = "--peak-memory-child=";
constexpr int kDirectorySizes[] = {1, 10'000, 100'000, 1'000'000};

std::string DirectoryOf(int files)
{
    return std::string(kRoot) + "\\n" + std::to_string(files);
}

std::string FileName(int directorySize, int i)
{
    static const char* const extensions[] = {".txt", ".LOG", ".doc", ".pdf"};
    char name[40];
    std::snprintf(name, sizeof name, "\\brief%07d%s", i, extensions[i % 4]);
    return DirectoryOf(directorySize) + name;
}

using j3bench::Application;

// The practice database of the run: opened (and, when missing, built) before
// any benchmark runs.
class BenchmarkStore {
public:
    // Opens the store file; builds it first when it is missing or incomplete.
    static void Open(const std::filesystem::path& file)
    {
        if (dbDatabase.Open(file) && IsComplete())
            return;
        dbDatabase.Close();
        std::filesystem::remove(file);
        if (!dbDatabase.Create(file))
            std::abort();
        Fill();
    }

    static std::filesystem::path TemporaryFile()
    {
        char pattern[] = "/tmp/j3bench-dialog-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        return std::filesystem::path(pattern) / "praxis.db";
    }

private:
    static bool IsComplete()
    {
        return std::all_of(std::begin(kDirectorySizes), std::end(kDirectorySizes),
                           [](int size) { return FileExistsDB(CString(FileName(size, size))); });
    }

    static void Fill()
    {
        CDBFileStore store(dbDatabase);
        CVKTransaction transaction(dbDatabase);
        for (int size : kDirectorySizes)
            for (int i = 1; i <= size; ++i)
                if (!store.SaveFile(CString(FileName(size, i)), CString("x"), 1'600'000'000 + i % 977))
                    std::abort();
        transaction.Commit();
    }
};

std::filesystem::path g_storeFile;

// The bare reference: the rows of one store directory read by one query
// into a plain table model whose texts are made when painted.
class BareReferenceModel : public QAbstractTableModel {
public:
    explicit BareReferenceModel(const std::string& dir)
    {
        const std::string from = CDBStorePath::Key(dir + "\\");
        CVKQuery query(dbDatabase, "SELECT path, mtime, size FROM files WHERE pathkey >= ?1 AND pathkey < ?2 "
                                   "ORDER BY pathkey");
        query.Bind(1, from).Bind(2, CDBStorePath::PrefixEnd(from));
        while (query.Next()) {
            const std::string_view path = query.ColumnBytes(0);
            m_rows.push_back(
                {std::string(path.substr(path.rfind('\\') + 1)), query.ColumnInt64(1), query.ColumnInt64(2)});
        }
    }
    int rowCount(const QModelIndex& = QModelIndex()) const override { return static_cast<int>(m_rows.size()); }
    int columnCount(const QModelIndex& = QModelIndex()) const override { return 3; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const SRow& row = m_rows[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case 0:
            return QString::fromLatin1(row.name);
        case 1:
            return QDateTime::fromSecsSinceEpoch(row.mtime).toString("dd.MM.yyyy  hh:mm:ss");
        default:
            return QString::number(row.size);
        }
    }

private:
    struct SRow {
        std::string name;
        std::int64_t mtime;
        std::int64_t size;
    };
    std::vector<SRow> m_rows;
};

// Milliseconds from the query until the reference view is painted.
double BareReferenceMs(int files)
{
    QElapsedTimer timer;
    timer.start();
    BareReferenceModel model(DirectoryOf(files));
    QTreeView view;
    view.setModel(&model);
    view.resize(800, 600);
    view.show();
    view.viewport()->repaint();
    return timer.nsecsElapsed() / 1e6;
}

struct SOpenFigures {
    // From the construction of the dialog until its first screen of rows is
    // painted.
    double firstScreenMs = -1;
    // From the call of DoModal until the window first answers (the window
    // is built and the first part of the listing read).
    double firstAnswerMs = -1;
    // The longest time the window did not answer after that, while the
    // rest of the listing was read and shown.
    double longestFreezeMs = 0;
};

enum class EWaitFor { Window, FirstScreen, WholeListing };

// Opens a dialog on the directory and calls whenShown once the window
// answers, once its first screen is painted, or once the whole listing is
// painted; whenShown ends the dialog. A timer that fires every millisecond
// the event loop turns measures how long the window could not answer.
SOpenFigures OpenDialog(int files, const char* filter, EWaitFor waitFor,
                        const std::function<void(CDBFileDialog&, QTreeView&)>& whenShown)
{
    Application();
    const std::string dir = DirectoryOf(files);
    QElapsedTimer sinceConstruction;
    sinceConstruction.start();
    CDBFileDialog dialog(1, nullptr, nullptr, OFN_ALLOWMULTISELECT, filter, nullptr, 0, 0);
    dialog.AddAllowedRootDir(kRoot, "data");
    dialog.GetOFN().lpstrInitialDir = dir.c_str();
    SOpenFigures figures;
    QElapsedTimer sinceLastTurn;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const double sinceLastMs = sinceLastTurn.nsecsElapsed() / 1e6;
        if (figures.firstAnswerMs < 0)
            figures.firstAnswerMs = sinceLastMs;
        else
            figures.longestFreezeMs = std::max(figures.longestFreezeMs, sinceLastMs);
        sinceLastTurn.restart();
        QDialog* window = dialog.GetWindow();
        if (!window || !dialog.IsContentRendered())
            return;
        auto* view = window->findChild<QTreeView*>("VKLLISTVIEW_FILELIST");
        if (figures.firstScreenMs < 0 && view->model()->rowCount() > 0) {
            view->viewport()->repaint();
            figures.firstScreenMs = sinceConstruction.nsecsElapsed() / 1e6;
        }
        if ((waitFor == EWaitFor::FirstScreen && figures.firstScreenMs < 0) ||
            (waitFor == EWaitFor::WholeListing && !dialog.IsListingRead()))
            return;
        poll.stop();
        view->viewport()->repaint();
        whenShown(dialog, *view);
    });
    poll.start();
    sinceLastTurn.start();
    if (dialog.DoModal() != 2)
        std::abort();
    return figures;
}

void CloseAtOnce(CDBFileDialog& dialog, QTreeView&)
{
    dialog.OnExit();
}

long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// In the child process: the growth of the peak resident memory from an
// open dialog on a one-file directory to one on the given directory.
int MeasurePeakMemory(int files)
{
    OpenDialog(1, kAllFiles, EWaitFor::WholeListing, CloseAtOnce);
    const long empty = PeakKiB();
    OpenDialog(files, kAllFiles, EWaitFor::WholeListing, CloseAtOnce);
    std::printf("%ld\n", PeakKiB() - empty);
    return 0;
}

// Each iteration opens the dialog until its first screen is painted and
// closes it. The reference is painted as often, and the dialog opened once
// more until the whole listing is shown (the longest freeze), only after
// them: their full reads of a large directory would leave the caches cold
// for the next first screen, so that it would measure what ran before it
// (1 ms more at 1,000,000) rather than the directory it opens.
void BM_OpenDialogUntilPainted(benchmark::State& state)
{
    const int files = static_cast<int>(state.range(0));
    const char* filter = state.range(1) ? kTextsAndLogs : kAllFiles;
    OpenDialog(files, filter, EWaitFor::FirstScreen, CloseAtOnce); // warms the caches, untimed
    double dialogMs = 0;
    for (auto _ : state) {
        const double firstScreenMs = OpenDialog(files, filter, EWaitFor::FirstScreen, CloseAtOnce).firstScreenMs;
        state.SetIterationTime(firstScreenMs / 1e3);
        dialogMs += firstScreenMs;
    }
    double referenceMs = 0;
    for (benchmark::IterationCount i = 0; i < state.iterations(); ++i)
        referenceMs += BareReferenceMs(files);
    const SOpenFigures whole = OpenDialog(files, filter, EWaitFor::WholeListing, CloseAtOnce);
    state.counters["reference_ms"] = benchmark::Counter(referenceMs, benchmark::Counter::kAvgIterations);
    state.counters["to_reference"] = referenceMs > 0 ? dialogMs / referenceMs : 0;
    state.counters["first_answer_ms"] = whole.firstAnswerMs;
    state.counters["longest_freeze_ms"] = whole.longestFreezeMs;
}
BENCHMARK(BM_OpenDialogUntilPainted)
    ->Args({10'000, 0})
    ->Args({100'000, 0})
    ->Args({100'000, 1})
    ->Args({1'000'000, 0})
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// Closing the dialog as soon as it answers, while a million entries are
// read: from the close until the dialog is gone.
void BM_CloseWhileReading1M(benchmark::State& state)
{
    for (auto _ : state) {
        QElapsedTimer sinceClose;
        OpenDialog(1'000'000, kAllFiles, EWaitFor::Window, [&](CDBFileDialog& dialog, QTreeView&) {
            sinceClose.start();
            dialog.OnExit();
        });
        state.SetIterationTime(sinceClose.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_CloseWhileReading1M)->Unit(benchmark::kMillisecond)->UseManualTime();

// A click on the size header, then on the name header: each a re-sort of
// 100,000 rows, repainted.
void BM_HeaderClickResorts100k(benchmark::State& state)
{
    OpenDialog(100'000, kAllFiles, EWaitFor::WholeListing, [&state](CDBFileDialog& dialog, QTreeView& view) {
        int column = 0;
        for (auto _ : state) {
            column = column == 2 ? 0 : 2;
            emit view.header()->sectionClicked(column);
            view.viewport()->repaint();
        }
        dialog.OnExit();
    });
}
BENCHMARK(BM_HeaderClickResorts100k)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_PeakMemoryAboveEmptyDialog(benchmark::State& state)
{
    const std::string command = "'/proc/" + std::to_string(getpid()) + "/exe' " + kPeakMemoryOption +
                                std::to_string(state.range(0)) + " '" + g_storeFile.string() + "'";
    for (auto _ : state) {
        FILE* child = popen(command.c_str(), "r");
        long growthKiB = -1;
        if (!child || std::fscanf(child, "%ld", &growthKiB) != 1 || pclose(child) != 0) {
            state.SkipWithError("the measuring process failed");
            return;
        }
        state.counters["peak_growth_MB"] = static_cast<double>(growthKiB) / 1024.0;
    }
}
BENCHMARK(BM_PeakMemoryAboveEmptyDialog)->Arg(100'000)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strncmp(argv[1], kPeakMemoryOption, std::strlen(kPeakMemoryOption)) == 0) {
        if (!dbDatabase.Open(argv[2]))
            return 1;
        return MeasurePeakMemory(std::atoi(argv[1] + std::strlen(kPeakMemoryOption)));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const char* kept = std::getenv("J3_BENCH_STORE");
    g_storeFile = kept && *kept ? std::filesystem::path(kept) : BenchmarkStore::TemporaryFile();
    BenchmarkStore::Open(g_storeFile);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dbDatabase.Close();
    if (!(kept && *kept))
        std::filesystem::remove_all(g_storeFile.parent_path());
    return 0;
}
