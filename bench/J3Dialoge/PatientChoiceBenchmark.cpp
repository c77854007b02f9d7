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
#include <QTreeView>

#include <array>
#include <string>

#include "J3Dialoge/DiaPatSearchEdit.h"
#include "dbdll/JPat.h"
#include "j3patwahl/DiaPatWahl.h"
#include "support/BenchDialogs.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

namespace {

constexpr int kPatients = 100'000;

// The practice, built once per run before the first timed loop: patient
// numbers 1 to 100,000, sixteen surnames, a third of them with a number
// added so that prefixes narrow step by step, eight first names.
bool FillPatients()
{
    static const std::array<const char*, 16> surnames = {"Schmidt",
                                                         "Schneider",
                                                         "M\xFCller",
                                                         "Meyer",
                                                         "Wagner",
                                                         "Becker",
                                                         "Schulz",
                                                         "Hoffmann",
                                                         "Sch\xE4"
                                                         "fer",
                                                         "Koch",
                                                         "Bauer",
                                                         "Richter",
                                                         "Klein",
                                                         "Wolf",
                                                         "Schr\xF6"
                                                         "der",
                                                         "Neumann"};
    static const std::array<const char*, 8> firstNames = {"Anna",  "Hans",   "J\xFCrgen", "Maria",
                                                          "Peter", "Sabine", "Uwe",       "Zo\xE9"};
    CVKTransaction transaction(dbDatabase);
    CJPat patient(&dbDatabase, nullptr);
    for (int i = 1; i <= kPatients; ++i) {
        patient.Clear();
        patient.m_strPatNr.Format("%10d", i);
        patient.m_strName = CString(surnames[static_cast<std::size_t>(i) % surnames.size()]) +
                            (i % 3 ? CString("") : CString("-") + CString(std::to_string(i % 1000)));
        patient.m_strVorname = firstNames[static_cast<std::size_t>(i / 16) % firstNames.size()];
        patient.m_strGebDat.Format("%04d%02d%02d", 1930 + i % 90, 1 + i % 12, 1 + i % 28);
        if (!patient.Write(""))
            return false;
    }
    return transaction.Commit();
}

void EnsurePractice()
{
    j3bench::Application();
    static j3bench::BenchPractice practice(FillPatients);
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
    EnsurePractice();
    // Each step is one key: a letter typed, or a backspace (nullptr).
    static const std::array<const char*, 24> typing = {"S", "c",    "h", "m", nullptr, nullptr, nullptr, nullptr,
                                                       "M", "\xFC", "l", "l", nullptr, nullptr, nullptr, nullptr,
                                                       "1", "2",    "3", "4", nullptr, nullptr, nullptr, nullptr};
    CDiaPatWahl choice(nullptr, "");
    j3bench::RunWhenShown(choice, [&](QDialog& window) {
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
    CPatFieldDialog() : CDiaPatSearchEdit("test/DiaPatSearchTestDialog", "j3wpfcs", nullptr) { m_bNoPlacement = true; }
    bool OnExitPatSearch() override
    {
        m_bLastChanged = CDiaPatSearchEdit::OnExitPatSearch();
        return m_bLastChanged;
    }
    bool m_bLastChanged = false;
};

void BM_LeavingFieldShowsKnownPatient(benchmark::State& state)
{
    EnsurePractice();
    CPatFieldDialog dialog;
    j3bench::RunWhenShown(dialog, [&](QDialog& window) {
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
