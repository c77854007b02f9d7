// The favourites tab on a large program table: 1,000 programs in 20
// categories (50 each, texts like "Programm 0417 Befund"). A keystroke in the
// search box until the result list is rebuilt, sized, selected and painted;
// and CreateButtons (category tabs, 1,000 program tiles, the program tree
// built and bound). Offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "J3Dialoge/DiaFavoriten.h"
#include "support/BenchDialogs.h"

namespace {

constexpr int Programs = 1000;
constexpr int Categories = 20;

// The host's tables, made once; they only hold texts.
class ProgramTable {
public:
    static ProgramTable& Get()
    {
        static ProgramTable table;
        return table;
    }

    std::vector<SFavoProgramm> programme;
    std::vector<const char*> categories;

private:
    ProgramTable()
    {
        const char* kinds[] = {"Befund", "Termin", "Abrechnung", "R\xF6ntgen", "Brief"};
        const char* images[] = {"Befund80", "Termin80", "Abrechnung80", "Roentgen80", "Brief80"};
        for (int c = 0; c < Categories; ++c)
            m_texts.push_back("Bereich " + std::to_string(c + 1));
        for (int p = 0; p < Programs; ++p) {
            char text[64];
            std::snprintf(text, sizeof text, "Programm %04d %s", (p * 7919) % Programs, kinds[p % 5]);
            m_texts.emplace_back(text);
        }
        for (int c = 0; c < Categories; ++c)
            categories.push_back(m_texts[static_cast<std::size_t>(c)].c_str());
        for (int p = 0; p < Programs; ++p)
            programme.push_back({p / (Programs / Categories), 1000 + p,
                                 m_texts[static_cast<std::size_t>(Categories + p)].c_str(), images[p % 5], true});
        programme.push_back({-1, 0, nullptr, nullptr, false});
    }

    std::vector<std::string> m_texts;
};

class BenchFavoriten : public CDiaFavoriten {
public:
    BenchFavoriten() : CDiaFavoriten(nullptr)
    {
        m_pProgramme = ProgramTable::Get().programme.data();
        m_ppszProgKat = ProgramTable::Get().categories.data();
    }
    bool IsProgrammAvailable(const SFavoProgramm* programm) override { return programm->nProgId % 10 != 3; }
    void StartProgramm(int) override {}
    void Type(const CString& text) { m_Suche.SetData(text); }
    int Found() const { return m_Matrix.Count(); }
};

// A tab shown in a window as a host shows it.
struct ShownTab {
    ShownTab()
    {
        tab.CreateButtons();
        hostElement.Attach(&host);
        tab.Create(&hostElement);
        host.resize(900, 600);
        host.show();
        QCoreApplication::processEvents();
    }
    ~ShownTab()
    {
        tab.OnClosed();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QWidget host;
    CWPFWndBase hostElement;
    BenchFavoriten tab;
};

void BM_SearchKeystroke(benchmark::State& state)
{
    j3bench::Application();
    ShownTab shown;
    // Typing "Programm 04" and taking it back, one character a step.
    const std::string word = "Programm 04";
    std::vector<CString> steps;
    for (std::size_t n = 1; n <= word.size(); ++n)
        steps.emplace_back(word.substr(0, n));
    for (std::size_t n = word.size() - 1; n >= 1; --n)
        steps.emplace_back(word.substr(0, n));
    std::size_t step = 0;
    for (auto _ : state) {
        shown.tab.Type(steps[step++ % steps.size()]);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(shown.tab.Found());
    }
    state.counters["programs"] = Programs;
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

void BM_CreateButtons(benchmark::State& state)
{
    j3bench::Application();
    for (auto _ : state) {
        state.PauseTiming();
        auto tab = std::make_unique<BenchFavoriten>();
        state.ResumeTiming();
        tab->CreateButtons();
        state.PauseTiming();
        tab.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["programs"] = Programs;
    state.counters["categories"] = Categories;
}
BENCHMARK(BM_CreateButtons)->Unit(benchmark::kMillisecond);

} // namespace
