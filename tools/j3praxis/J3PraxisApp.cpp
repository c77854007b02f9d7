#include "j3praxis/J3PraxisApp.h"

#include "J3Dialoge/DiaIndexMarkerConfig.h"
#include "dbdll/PracticeDatabase.h"
#include "j3params/J3HostText.h"
#include "j3params/J3MachineConfig.h"
#include "j3praxis/J3PraxisDesk.h"
#include "j3screenshot/J3DialogScreenshot.h"
#include "vkbasis/DisplayPlatform.h"
#include "vkbasis/TerminalText.h"

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <charconv>
#include <limits>
#include <memory>
#include <optional>

namespace {

const char* const kUsage = "Aufruf: j3praxis [OPTIONEN]\n"
                           "Der Schreibtisch der Praxis: Patienten mit Karteikarte, Karteireitern und eInfos,\n"
                           "die Programme der Praxis mit den Favoriten des Benutzers.\n"
                           "\n"
                           "  --db DATEI          diese Datenbank statt der der Maschinenkonfiguration\n"
                           "  --pat NUMMER        mit diesem Patienten beginnen (sonst mit dem ersten)\n"
                           "  --suche TEXT        TEXT ins Patientenfeld tippen: Nummer zeigt den Patienten,\n"
                           "                      Name oder Teil davon öffnet die Patientenwahl\n"
                           "  --karteireiter      statt des Schreibtischs die Konfiguration der Karteireiter\n"
                           "  --programme         den Schreibtisch mit den Programmen und Favoriten öffnen\n"
                           "  --screenshot PNG    den Schreibtisch beim Öffnen als Bild speichern und schließen\n"
                           "  --help              diese Hilfe\n"
                           "\n"
                           "Exit-Status: 0 beendet, 2 Fehler oder falscher Aufruf.\n";

constexpr int kDone = 0;
constexpr int kFailed = 2;

// The desk's picture with the patient choice open over it: both windows are
// grabbed as they show, the choice drawn where it stands over the desk; then
// the choice is cancelled and the desk closed.
bool TakeWithChoice(CWPFDialog& desk, const std::string& pngFile)
{
    bool saved = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QDialog* window = desk.GetWindow();
        auto* choice = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!window || !choice || choice == window) {
            if (window && choice == window && saved)
                desk.OnExit();
            return;
        }
        if (saved || !CJ3DialogScreenshot::AtRest(*window) || !CJ3DialogScreenshot::AtRest(*choice))
            return;
        QPixmap picture = window->grab();
        QPainter painter(&picture);
        painter.drawPixmap(choice->mapToGlobal(QPoint()) - window->mapToGlobal(QPoint()), choice->grab());
        painter.end();
        saved = picture.save(QString::fromStdString(pngFile), "PNG");
        choice->reject();
    });
    poll.start();
    desk.DoModal();
    return saved;
}

} // namespace

CJ3PraxisApp::CJ3PraxisApp(std::ostream& out, std::ostream& err, std::vector<std::string> args)
    : CJ3WinApp("j3praxis"), m_out(out), m_err(err), m_args(std::move(args))
{
    // A start that fails before Run is an error.
    m_nExitCode = kFailed;
}

int CJ3PraxisApp::Main(int argc, char** argv)
{
    if (!ParseArguments(m_options))
        return kFailed;
    if (m_options.help) {
        m_out << kUsage;
        return kDone;
    }
    const std::string refusal = CDisplayPlatform::ChooseForWindow(!m_options.screenshot.empty(), "der Schreibtisch");
    return refusal.empty() ? WinMain(argc, argv) : Fail(refusal);
}

int CJ3PraxisApp::Run()
{
    m_nExitCode = Practise();
    return m_nExitCode;
}

int CJ3PraxisApp::Practise()
{
    const SOptions& options = m_options;
    std::string configError;
    if (!CJ3MachineConfig::ReloadCurrent(configError))
        return Fail(configError);
    CString error;
    if (!CPracticeDatabase::OpenForProgram(options.database, error))
        return Fail(CJ3HostText::ToHost(error));
    QApplication::setApplicationDisplayName("Praxis");
    // Boxes of a picture run are answered and reported, never waited for.
    std::optional<CJ3DialogScreenshot> screenshot;
    if (!options.screenshot.empty())
        screenshot.emplace(m_err);
    CString startPatNr;
    if (!options.patNr.empty())
        startPatNr.Format("%10d", options.patNumber);
    std::unique_ptr<CWPFDialog> dialog;
    if (options.markerConfig)
        dialog = std::make_unique<CDiaIndexMarkerConfig>(nullptr);
    else {
        auto desk = std::make_unique<CJ3PraxisDesk>(startPatNr);
        desk->SetStartSearch(CJ3HostText::FromHost(options.search));
        if (options.programme)
            desk->OpenOnProgramme();
        dialog = std::move(desk);
    }
    int code = kDone;
    const bool withChoice = !options.markerConfig && !options.search.empty();
    if (options.screenshot.empty())
        dialog->DoModal();
    else {
        const bool saved =
            withChoice ? TakeWithChoice(*dialog, options.screenshot) : screenshot->Take(*dialog, options.screenshot);
        if (!screenshot->ReportBoxes("j3praxis"))
            code = kFailed;
        if (!saved)
            code = Fail("Das Bild " + options.screenshot + " konnte nicht gespeichert werden.");
    }
    dialog.reset();
    CPracticeDatabase::Close();
    return code;
}

bool CJ3PraxisApp::ParseArguments(SOptions& options)
{
    for (std::size_t next = 0; next < m_args.size(); ++next) {
        const std::string& arg = m_args[next];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
        if (arg == "--karteireiter") {
            options.markerConfig = true;
            continue;
        }
        if (arg == "--programme") {
            options.programme = true;
            continue;
        }
        std::string* value = arg == "--db"           ? &options.database
                             : arg == "--pat"        ? &options.patNr
                             : arg == "--suche"      ? &options.search
                             : arg == "--screenshot" ? &options.screenshot
                                                     : nullptr;
        if (!value) {
            Fail("Unbekannte Option " + arg + " (siehe --help).");
            return false;
        }
        if (++next == m_args.size() || m_args[next].empty()) {
            Fail(arg + " braucht einen Wert (siehe --help).");
            return false;
        }
        *value = m_args[next];
    }
    // A number beyond the range would wrap and show another patient.
    const char* const patEnd = options.patNr.data() + options.patNr.size();
    const auto [end, fault] = std::from_chars(options.patNr.data(), patEnd, options.patNumber);
    if (!options.patNr.empty() && (fault != std::errc() || end != patEnd || options.patNumber < 0)) {
        Fail("--pat braucht eine Patientennummer aus Ziffern, von 0 bis " +
             std::to_string(std::numeric_limits<int>::max()) + ", nicht \"" + options.patNr + "\".");
        return false;
    }
    return true;
}

int CJ3PraxisApp::Fail(const std::string& message)
{
    m_err << "j3praxis: " << CTerminalText::Message(message) << '\n';
    return kFailed;
}
