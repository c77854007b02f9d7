#include "j3pick/J3PickApp.h"

#include "J3Dialoge/DBFileDialog.h"
#include "dbdll/PracticeDatabase.h"
#include "j3params/J3HostText.h"
#include "j3params/J3MachineConfig.h"
#include "j3params/J3Params.h"
#include "j3screenshot/J3DialogScreenshot.h"
#include "vkbasis/DisplayPlatform.h"
#include "vkbasis/TerminalText.h"

#include <QApplication>

namespace {

const char* const kUsage = "Aufruf: j3pick [OPTIONEN]\n"
                           "Wählt eine Datei im Dateispeicher der Praxisdatenbank aus und gibt ihren Pfad aus.\n"
                           "\n"
                           "  --db DATEI          diese Datenbank statt der der Maschinenkonfiguration\n"
                           "  --save              Speichern unter (sonst: Öffnen)\n"
                           "  --multi             mehrere Dateien auswählen (ein Pfad je Zeile)\n"
                           "  --filter TEXT       Dateitypen, z. B. \"Texte (*.txt)|*.txt|Protokolle|*.log||\"\n"
                           "  --dir VERZEICHNIS   Startverzeichnis im Dateispeicher (sonst das Datenverzeichnis;\n"
                           "                      \"\" für die Übersicht der Wurzelverzeichnisse)\n"
                           "  --up                Verzeichnisse außerhalb des Startverzeichnisses erlauben\n"
                           "  --down              Unterverzeichnisse des Startverzeichnisses erlauben\n"
                           "  --name NAME         vorgegebener Dateiname\n"
                           "  --no-overwrite      beim Speichern keine vorhandene Datei zulassen\n"
                           "  --screenshot PNG    den Dialog beim Öffnen als Bild speichern und abbrechen\n"
                           "  --help              diese Hilfe\n"
                           "\n"
                           "Exit-Status: 0 ausgewählt, 1 abgebrochen, 2 Fehler oder falscher Aufruf.\n";

constexpr int kChosen = 0;
constexpr int kCancelled = 1;
constexpr int kFailed = 2;

} // namespace

CJ3PickApp::CJ3PickApp(std::ostream& out, std::ostream& err, std::vector<std::string> args)
    : CJ3WinApp("j3pick"), m_out(out), m_err(err), m_args(std::move(args))
{
    // A start that fails before Run is an error, not a choice.
    m_nExitCode = kFailed;
}

std::optional<int> CJ3PickApp::ParseOrAnswer(SOptions& options)
{
    bool help = false;
    if (!ParseArguments(options, help))
        return kFailed;
    if (help) {
        m_out << kUsage;
        return kChosen;
    }
    return std::nullopt;
}

int CJ3PickApp::Main(int argc, char** argv)
{
    if (const std::optional<int> answered = ParseOrAnswer(m_options))
        return *answered;
    const std::string refusal = CDisplayPlatform::ChooseForWindow(!m_options.screenshot.empty(), "der Dateidialog");
    return refusal.empty() ? WinMain(argc, argv) : Fail(refusal);
}

int CJ3PickApp::Run()
{
    m_nExitCode = PickWith(m_options);
    return m_nExitCode;
}

int CJ3PickApp::Pick()
{
    if (const std::optional<int> answered = ParseOrAnswer(m_options))
        return *answered;
    return PickWith(m_options);
}

int CJ3PickApp::PickWith(const SOptions& options)
{
    std::string configError;
    if (!CJ3MachineConfig::ReloadCurrent(configError))
        return Fail(configError);
    if (!OpenDatabase(options))
        return kFailed;
    QApplication::setApplicationDisplayName("Dateiauswahl");
    const int code = options.multi || !options.allowOverwrite || !options.screenshot.empty()
                         ? RunDialog(options)
                         : RunPlainFunction(options);
    CPracticeDatabase::Close();
    return code;
}

bool CJ3PickApp::ParseArguments(SOptions& options, bool& help)
{
    struct SFlag {
        const char* name;
        bool SOptions::*field;
        bool value;
    };
    static const SFlag flags[] = {
        {"--save", &SOptions::save, true},
        {"--multi", &SOptions::multi, true},
        {"--up", &SOptions::allowDirUp, true},
        {"--down", &SOptions::allowDirDown, true},
        {"--no-overwrite", &SOptions::allowOverwrite, false},
    };
    struct SValue {
        const char* name;
        std::string SOptions::*field;
        bool SOptions::*given;
    };
    static const SValue values[] = {
        {"--db", &SOptions::database, nullptr},
        {"--filter", &SOptions::filter, nullptr},
        {"--dir", &SOptions::initialDir, &SOptions::initialDirGiven},
        {"--name", &SOptions::fileName, nullptr},
        {"--screenshot", &SOptions::screenshot, nullptr},
    };
    for (std::size_t next = 0; next < m_args.size(); ++next) {
        const std::string& arg = m_args[next];
        if (arg == "--help" || arg == "-h") {
            help = true;
            return true;
        }
        const auto flag =
            std::find_if(std::begin(flags), std::end(flags), [&](const SFlag& f) { return arg == f.name; });
        if (flag != std::end(flags)) {
            options.*(flag->field) = flag->value;
            continue;
        }
        const auto value =
            std::find_if(std::begin(values), std::end(values), [&](const SValue& v) { return arg == v.name; });
        if (value == std::end(values)) {
            Fail("Unbekannte Option " + arg + " (siehe --help).");
            return false;
        }
        if (++next == m_args.size()) {
            Fail(arg + " braucht einen Wert (siehe --help).");
            return false;
        }
        if (!CJ3HostText::FitsSuite(m_args[next])) {
            Fail("Der Wert von " + arg + " enthält Zeichen außerhalb von Windows-1252.");
            return false;
        }
        options.*(value->field) = m_args[next];
        if (value->given)
            options.*(value->given) = true;
    }
    return true;
}

bool CJ3PickApp::OpenDatabase(const SOptions& options)
{
    CString error;
    const bool opened = CPracticeDatabase::OpenForProgram(options.database, error);
    if (!opened)
        Fail(CJ3HostText::ToHost(error));
    return opened;
}

int CJ3PickApp::RunPlainFunction(const SOptions& options)
{
    const CString filter = CJ3HostText::FromHost(options.filter);
    const CString fileName = CJ3HostText::FromHost(options.fileName);
    const CString initialDir = options.initialDirGiven ? CJ3HostText::FromHost(options.initialDir) : GetJ3DataPath(0);
    {
        // Checked before the run: a refusal would wait on an error box.
        CDBFileDialog probe(!options.save, nullptr, nullptr, 0, filter, nullptr, 0, 0);
        probe.GetOFN().lpstrInitialDir = initialDir;
        const CString refusal = probe.InitialDirRefusal();
        if (!refusal.IsEmpty())
            return Fail(CJ3HostText::ToHost(refusal));
    }
    const SDBFileDialogParams params{!options.save,
                                     nullptr,
                                     fileName.IsEmpty() ? nullptr : fileName.GetString(),
                                     0,
                                     filter,
                                     nullptr,
                                     0,
                                     0,
                                     initialDir,
                                     options.allowDirUp,
                                     options.allowDirDown};
    const CString path = J3GetPathNameFromDBFileDialog(params);
    if (path.IsEmpty())
        return kCancelled;
    m_out << CJ3HostText::ToHost(path) << '\n';
    return kChosen;
}

int CJ3PickApp::RunDialog(const SOptions& options)
{
    const CString filter = CJ3HostText::FromHost(options.filter);
    const CString fileName = CJ3HostText::FromHost(options.fileName);
    const CString initialDir = options.initialDirGiven ? CJ3HostText::FromHost(options.initialDir) : GetJ3DataPath(0);
    CDBFileDialog dialog(!options.save, nullptr, fileName.IsEmpty() ? nullptr : fileName.GetString(),
                         options.multi ? OFN_ALLOWMULTISELECT : 0, filter, nullptr, 0, 0);
    dialog.SetAllowDirChanges(options.allowDirUp, options.allowDirDown);
    dialog.SetAllowOverwrite(options.allowOverwrite);
    dialog.GetOFN().lpstrInitialDir = initialDir;
    const CString refusal = dialog.InitialDirRefusal();
    if (!refusal.IsEmpty())
        return Fail(CJ3HostText::ToHost(refusal));
    if (!options.screenshot.empty())
        return TakeScreenshot(dialog, options.screenshot);

    const int code = dialog.DoModal();
    if (code != 1)
        return code == 2 ? kCancelled : Fail("Der Dateidialog konnte nicht angezeigt werden.");
    const auto& selected = dialog.GetMultipleSelectedFiles();
    if (selected.size() > 1) {
        for (const DBFileEntry& entry : selected)
            m_out << CJ3HostText::ToHost(CString(entry.first.string())) << '\n';
    } else {
        m_out << CJ3HostText::ToHost(dialog.GetPathName()) << '\n';
    }
    return kChosen;
}

int CJ3PickApp::TakeScreenshot(CDBFileDialog& dialog, const std::string& file)
{
    CJ3DialogScreenshot screenshot(m_err);
    const bool saved = screenshot.Take(dialog, file);
    const bool withoutBoxes = screenshot.ReportBoxes("j3pick");
    if (!saved)
        return Fail("Das Bild " + file + " konnte nicht gespeichert werden.");
    return withoutBoxes ? kChosen : kFailed;
}

int CJ3PickApp::Fail(const std::string& message)
{
    m_err << "j3pick: " << CTerminalText::Message(message) << '\n';
    return kFailed;
}
