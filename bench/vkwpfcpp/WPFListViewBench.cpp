// A list of many rows: filled into a table, bound to a list view, columns
// sized and the first paint done (offscreen), as a file dialog does when it
// opens a large directory.
#include "vkwpfcpp/WPFMatrix.h"
#include "vkwpfcpp/WPFVKLListView.h"

#include "support/BenchDialogs.h"
#include <QApplication>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using j3bench::Application;

void FillBindAndPaint(benchmark::State& state)
{
    Application();
    const int rows = static_cast<int>(state.range(0));
    std::vector<CString> names(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "brief%06d.txt", i);
        names[static_cast<std::size_t>(i)] = name;
    }
    for (auto _ : state) {
        QTreeView view;
        view.setObjectName("VKLLISTVIEW_FILELIST");
        view.resize(640, 480);
        CWPFVKLListView list;
        list.Attach(&view);
        list.AddTextBlockColumn("Datei", 0, 0, "");
        list.AddTextBlockColumn("Letzte \xC4nderung", 0, 2, "");
        list.AddTextBlockColumn("Gr\xF6\xDF"
                                "e",
                                0, 2, "");
        CWPFMatrix<3> matrix;
        list.BindMatrix(&matrix);
        for (const CString& name : names)
            matrix.DoAdd({name, "04.12.2026  09:05:07", "12,5 KB"});
        list.AutoSizeGridViewColumns();
        list.SetSelectedIndex(0);
        view.show();
        const QPixmap painted = view.grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        if (view.model()->rowCount() != rows)
            state.SkipWithError("the view does not show every row");
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

} // namespace

BENCHMARK(FillBindAndPaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
