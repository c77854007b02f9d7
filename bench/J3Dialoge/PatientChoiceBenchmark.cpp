// The patient field and the patient choice on a practice of 100,000
// patients (SQLite in a temporary folder, offscreen platform):
// - a keystroke in the patient choice's search box until its list is filled
//   anew and repainted, over a typing cycle that narrows and widens again
//   ("S", "Sc", "Sch", "Schm", back to "" and on with "Mü...", "12...");
// - leaving the patient field with a known number until the field shows the
//   patient's name.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "J3Dialoge/DiaPatSearchEdit.h"
#include "dbdll/JPat.h"
#include "j3patwahl/DiaPatWahl.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

namespace {

constexpr int kPatients = 100'000;

QApplication& Application()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_patientchoice";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

// The practice, built once per run before the first timed loop.
class BenchmarkPractice {
public:
    static void Ensure()
    {
        static BenchmarkPractice practice;
    }

    ~BenchmarkPractice()
    {
        dbDatabase.Close();
        std::filesystem::remove_all(m_folder);
    }

private:
    BenchmarkPractice()
    {
        char pattern[] = "/tmp/j3bench-patients-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        m_folder = pattern;
        if (!dbDatabase.Create(m_folder / "praxis.db"))
            std::abort();
        static const std::array<const char*, 16> surnames = {
            "Schmidt", "Schneider", "M\xFCller", "Meyer", "Wagner", "Becker", "Schulz", "Hoffmann",
            "Sch\xE4" "fer", "Koch", "Bauer", "Richter", "Klein", "Wolf", "Schr\xF6" "der", "Neumann"};
        static const std::array<const char*, 8> firstNames = {"Anna", "Hans", "J\xFCrgen", "Maria",
                                                               "Peter", "Sabine", "Uwe", "Zo\xE9"};
        CVKTransaction transaction(dbDatabase);
        CJPat patient(&dbDatabase, nullptr);
        for (int i = 1; i <= kPatients; ++i) {
            char nr[16];
            char gebDat[16];
            std::snprintf(nr, sizeof nr, "%10d", i);
            std::snprintf(gebDat, sizeof gebDat, "%04d%02d%02d", 1930 + i % 90, 1 + i % 12, 1 + i % 28);
            patient.Clear();
            patient.m_strPatNr = nr;
            // Surnames repeat with a number so that prefixes narrow step by step.
            patient.m_strName = CString(surnames[static_cast<std::size_t>(i) % surnames.size()]) +
                                (i % 3 ? CString("") : CString("-") + CString(std::to_string(i % 1000)));
            patient.m_strVorname = firstNames[static_cast<std::size_t>(i / 16) % firstNames.size()];
            patient.m_strGebDat = gebDat;
            if (!patient.Write(""))
                std::abort();
        }
        if (!transaction.Commit())
            std::abort();
    }

    std::filesystem::path m_folder;
};

// Runs the dialog and, once its content is shown, calls whenShown, which
// ends it.
void RunShown(CWPFDialog& dialog, const std::function<void(QDialog&)>& whenShown)
{
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QDialog* window = dialog.GetWindow();
        if (!window || !dialog.IsContentRendered())
            return;
        poll.stop();
        // Focus moves only inside the active window.
        window->activateWindow();
        while (!window->isActiveWindow())
            QApplication::processEvents();
        whenShown(*window);
    });
    poll.start();
    dialog.DoModal();
}

void Key(QWidget& widget, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &release);
}

void BM_KeystrokeRefreshesPatientChoice(benchmark::State& state)
{
    Application();
    BenchmarkPractice::Ensure();
    // Each step is one key: a letter typed, or a backspace (nullptr).
    static const std::array<const char*, 24> typing = {
        "S", "c", "h", "m", nullptr, nullptr, nullptr, nullptr, "M", "\xFC", "l", "l", nullptr, nullptr, nullptr,
        nullptr, "1", "2", "3", "4", nullptr, nullptr, nullptr, nullptr};
    CDiaPatWahl choice(nullptr, "");
    RunShown(choice, [&](QDialog& window) {
        auto* search = window.findChild<QLineEdit*>("VKLTEXTBOX_SUCHE");
        auto* list = window.findChild<QTreeView*>("VKLLISTVIEW_PATIENTEN");
        std::size_t step = 0;
        for (auto _ : state) {
            const char* letter = typing[step++ % typing.size()];
            if (letter)
                Key(*search, Qt::Key_unknown, QString::fromLatin1(letter));
            else
                Key(*search, Qt::Key_Backspace, QString());
            list->viewport()->repaint();
        }
        state.counters["rows_last"] = list->model()->rowCount();
        choice.OnExit();
    });
}
BENCHMARK(BM_KeystrokeRefreshesPatientChoice)->Unit(benchmark::kMillisecond)->UseRealTime();

// A dialog with the patient field; leaving it checks the typed number.
class CPatFieldDialog : public CDiaPatSearchEdit {
public:
    CPatFieldDialog() : CDiaPatSearchEdit("test/DiaPatSearchTestDialog", "j3wpfcs", nullptr)
    {
        m_bNoPlacement = true;
    }
    bool OnExitPatSearch() override
    {
        m_bLastChanged = CDiaPatSearchEdit::OnExitPatSearch();
        return m_bLastChanged;
    }
    bool m_bLastChanged = false;
};

void BM_LeavingFieldShowsKnownPatient(benchmark::State& state)
{
    Application();
    BenchmarkPractice::Ensure();
    CPatFieldDialog dialog;
    RunShown(dialog, [&](QDialog& window) {
        auto* field = window.findChild<QLineEdit*>("VKS_PAT");
        auto* other = window.findChild<QLineEdit*>("VKLTEXTBOX_LEISTUNG");
        int number = 0;
        for (auto _ : state) {
            number = number % kPatients + 7919;
            field->setFocus(Qt::TabFocusReason);
            field->setText(QString::number(number % kPatients + 1));
            other->setFocus(Qt::TabFocusReason);
            if (!dialog.m_bLastChanged)
                state.SkipWithError("the field did not show the patient");
        }
        dialog.OnExit();
    });
}
BENCHMARK(BM_LeavingFieldShowsKnownPatient)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
