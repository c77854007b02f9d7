// The patient card as a user meets it, on the desk of j3praxis: opening it
// on a patient with all 25 index markers configured (and on) until it is
// painted; switching the bound patient (the previous one written back with a
// changed marker and a note, the next one read); and one index marker set on
// 10,000 patients at once; opening the desk until painted on a practice of
// 300 and of 100,000 patients, whose list reads only the rows on screen;
// typing a name no patient has into that list of 100,000.
// Data: SQLite practice databases in a temporary folder, made before the
// first timed loop that needs them: 200 patients with two notes each for the
// card, 10,000 patients for the markers, 300 and 100,000 for the desk;
// offscreen platform.

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTreeView>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "dbdll/JPat.h"
#include "dbdll/JProgPool.h"
#include "j3params/J3Params.h"
#include "j3praxis/J3PraxisDesk.h"
#include "support/BenchDialogs.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

namespace {

QApplication& Application()
{
    // The notes are kept per workstation; this one is number 1.
    dbLfdWorkstation = "1";
    return j3bench::Application();
}

CString PatNr(int number)
{
    CString text;
    text.Format("%10d", number);
    return text;
}

// A practice database of that many patients, every marker on for every
// second one; made once per run and opened as dbDatabase when asked for.
class Practice {
public:
    static void Open(int patients)
    {
        static std::map<int, std::unique_ptr<Practice>> practices;
        std::unique_ptr<Practice>& made = practices[patients];
        if (!made)
            made.reset(new Practice(patients, patients == CardPatients));
        const Practice& practice = *made;
        // A practice just made is closed, though the connection still names its file.
        if (!dbDatabase.IsOpen() || dbDatabase.GetFile() != practice.m_folder / "praxis.db") {
            dbDatabase.Close();
            if (!dbDatabase.Open(practice.m_folder / "praxis.db"))
                std::abort();
        }
    }

    ~Practice()
    {
        dbDatabase.Close();
        std::filesystem::remove_all(m_folder);
    }

    static constexpr int CardPatients = 200;

private:
    Practice(int patients, bool withCard)
    {
        char pattern[] = "/tmp/j3bench-card-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        m_folder = pattern;
        dbDatabase.Close();
        if (!dbDatabase.Create(m_folder / "praxis.db"))
            std::abort();
        CVKTransaction transaction(dbDatabase);
        CJPat patient(&dbDatabase, nullptr);
        for (int i = 1; i <= patients; ++i) {
            patient.Clear();
            patient.m_strPatNr = PatNr(i);
            patient.m_strName = "Muster";
            patient.m_strVorname = "Eva";
            patient.m_strGebDat = "19700131";
            patient.m_strIndexMarker = CString(' ', 22) + CString(i % 2 ? '1' : ' ', 25);
            patient.Write("");
        }
        if (withCard)
            StoreCardData(patients);
        transaction.Commit();
        dbDatabase.Close();
    }

    static void StoreCardData(int patients)
    {
        CJParPool record(&dbDatabase, nullptr);
        for (int i = 0; i < 25; ++i) {
            record.Clear();
            record.m_strNr = "269";
            record.m_strKey.Format("indexmrk%02d", i);
            record.m_strValue.Format("Reiter %d|Tooltip des Reiters %d|%d", i + 1, i + 1,
                                     0x102030 * (i + 1) % 0xFFFFFF);
            record.Write("");
        }
        CJProgPool::SetPermission(291, "eInfo", "", CJProgPool::PERM_WRITE);
        CJProgPool::SetPermission(278, "Karteireiter Konfiguration", "", CJProgPool::PERM_WRITE);
        CDBFileStore store(dbDatabase);
        for (int i = 1; i <= patients; ++i)
            for (int note = 0; note < 2; ++note) {
                CString path;
                path.Format("%seInfo\\w%s\\jt-j3praxis-PraxisDesk.%d.%d", GetJ3DataPath(0).GetString(), "1", i, note);
                store.SaveFile(path, "Notiz zum Patienten");
            }
    }

    std::filesystem::path m_folder;
};

// Opens the desk on patient 1 and calls whenShown once it is painted;
// whenShown ends it.
void OpenDesk(const std::function<void(CJ3PraxisDesk&, QDialog&)>& whenShown)
{
    CJ3PraxisDesk desk(PatNr(1));
    j3bench::RunWhenShown(desk, [&](QDialog& window) {
        window.repaint();
        whenShown(desk, window);
    });
}

void Prepare()
{
    Application();
    Practice::Open(Practice::CardPatients);
    // The marker configuration is read once per process, by the first card.
    static const bool warm = (OpenDesk([](CJ3PraxisDesk& desk, QDialog&) { desk.OnExit(); }), true);
    (void)warm;
}

void BM_OpenCardUntilPainted(benchmark::State& state)
{
    Prepare();
    for (auto _ : state)
        OpenDesk([](CJ3PraxisDesk& desk, QDialog&) { desk.OnExit(); });
}
BENCHMARK(BM_OpenCardUntilPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same desk on a small and on a large practice: the card's marker
// configuration is read before, so either runs first alike.
void BM_OpenDeskUntilPainted(benchmark::State& state)
{
    Prepare();
    Practice::Open(static_cast<int>(state.range(0)));
    for (auto _ : state)
        OpenDesk([](CJ3PraxisDesk& desk, QDialog&) { desk.OnExit(); });
}
BENCHMARK(BM_OpenDeskUntilPainted)->Arg(300)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A letter no patient's name starts with, typed into the desk's list: the
// list looks through all 100,000 patients, most of them not counted yet.
void BM_TypeNameNotFound100k(benchmark::State& state)
{
    Prepare();
    Practice::Open(100'000);
    OpenDesk([&state](CJ3PraxisDesk& desk, QDialog& window) {
        auto* list = window.findChild<QTreeView*>("PatientList");
        for (auto _ : state) {
            QKeyEvent typed(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q");
            QApplication::sendEvent(list, &typed);
        }
        desk.OnExit();
    });
}
BENCHMARK(BM_TypeNameNotFound100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SwitchPatient(benchmark::State& state)
{
    Prepare();
    OpenDesk([&state](CJ3PraxisDesk& desk, QDialog& window) {
        auto* list = window.findChild<QTreeView*>("PatientList");
        auto* marker = window.findChild<QAbstractButton*>("Marker3");
        int row = 0;
        for (auto _ : state) {
            marker->click();
            row = (row + 1) % 200;
            list->setCurrentIndex(list->model()->index(row, 0));
            window.repaint();
        }
        desk.OnExit();
    });
}
BENCHMARK(BM_SwitchPatient)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SetIndexMarkerMulti10000(benchmark::State& state)
{
    Application();
    Practice::Open(10'000);
    std::vector<CString> patNrs;
    for (int i = 1; i <= 10'000; ++i)
        patNrs.push_back(PatNr(i));
    bool on = true;
    for (auto _ : state) {
        // Alternating, so that every patient changes every time.
        if (!CWPFJ3Dialog::SetIndexMarkerMulti(patNrs, 7, on))
            state.SkipWithError("the markers were not stored");
        on = !on;
    }
}
BENCHMARK(BM_SetIndexMarkerMulti10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
