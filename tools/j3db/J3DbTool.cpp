#include "j3db/J3DbTool.h"

#include "dbdll/DBIdentity.h"
#include "j3db/J3DbFrame.h"
#include "j3db/J3DbGet.h"
#include "j3db/J3DbImport.h"
#include "j3db/J3DbInit.h"
#include "j3db/J3DbList.h"
#include "j3db/J3DbMigrate.h"
#include "j3db/J3DbParam.h"
#include "j3db/J3DbPut.h"
#include "j3db/J3DbRemove.h"
#include "j3params/J3MachineConfig.h"

namespace {

const char* const kUsage =
    "Aufruf: j3db [--db DATEI|URL] BEFEHL ...\n"
    "Verwaltet die Praxisdatenbank (ohne --db die der Maschinenkonfiguration).\n"
    "\n"
    "  init [--sample] [DATEI|URL]  legt die Datenbank an; --sample mit der Beispielpraxis\n"
    "  ls [-l] VERZEICHNIS|MUSTER   listet ein Verzeichnis des Dateispeichers\n"
    "  put LOKAL PFAD               speichert eine lokale Datei im Dateispeicher\n"
    "  get PFAD [LOKAL]             holt eine Datei (ohne LOKAL auf die Standardausgabe)\n"
    "  rm PFAD                      löscht eine Datei des Dateispeichers\n"
    "  import ORDNER VERZEICHNIS    speichert einen lokalen Ordner samt Unterordnern\n"
    "  param get NR SCHLÜSSEL       zeigt einen Parameter\n"
    "  param set NR SCHLÜSSEL WERT  setzt einen Parameter\n"
    "  param ls [NR]                listet die Parameter (einer Nummer)\n"
    "  migrate VON NACH             kopiert die Praxis aus VON in die leere Datenbank NACH, geprüft\n"
    "\n"
    "Eine Datenbank ist eine Datei oder ein Server: postgresql://BENUTZER@HOST:PORT/DATENBANK.\n"
    "Pfade im Dateispeicher sind Windows-Pfade, z. B. \"C:\\J3\\Daten\\Briefe\".\n"
    "Exit-Status: 0 erledigt, 1 fehlgeschlagen (nichts geändert), 2 falscher Aufruf.\n";

} // namespace

CJ3DbTool::CJ3DbTool(std::ostream& out, std::ostream& err, bool progressBar)
    : m_out(out), m_err(err), m_progressBar(progressBar)
{
}

int CJ3DbTool::Run(const std::vector<std::string>& args)
{
    const CJ3DbResult result = Dispatch(args);
    result.Report(m_err);
    return result.ExitCode();
}

CJ3DbResult CJ3DbTool::Dispatch(const std::vector<std::string>& args)
{
    std::optional<std::filesystem::path> database;
    std::size_t next = 0;
    for (; next < args.size() && args[next].starts_with("-"); ++next) {
        if (args[next] == "--help" || args[next] == "-h") {
            m_out << kUsage;
            return CJ3DbResult::Done();
        }
        if (args[next] != "--db")
            return CJ3DbResult::WrongCall("Unbekannte Option " + args[next] + ".");
        if (++next == args.size() || args[next].empty())
            return CJ3DbResult::WrongCall("--db braucht eine Datei oder URL.");
        database = CJ3DbFrame::Location(args[next]);
    }
    if (next == args.size())
        return CJ3DbResult::WrongCall("Kein Befehl angegeben.");

    static constexpr CJ3DbCommand::SEntry kCommands[] = {
        {"init", 0, 2, &CJ3DbCommand::HandlerOf<CJ3DbInit>},
        {"ls", 1, 2, &CJ3DbCommand::HandlerOf<CJ3DbList>},
        {"put", 2, 2, &CJ3DbCommand::HandlerOf<CJ3DbPut>},
        {"get", 1, 2, &CJ3DbCommand::HandlerOf<CJ3DbGet>},
        {"rm", 1, 1, &CJ3DbCommand::HandlerOf<CJ3DbRemove>},
        {"import", 2, 2, &CJ3DbCommand::HandlerOf<CJ3DbImport>},
        {"param", 1, 4, &CJ3DbCommand::HandlerOf<CJ3DbParam>},
        {"migrate", 2, 2, &CJ3DbCommand::HandlerOf<CJ3DbMigrate>},
    };
    const std::vector<std::string> commandLine(args.begin() + static_cast<std::ptrdiff_t>(next), args.end());
    CJ3DbCommand::Handler run = nullptr;
    if (CJ3DbResult chosen = CJ3DbCommand::Choose(kCommands, commandLine, "", run); !chosen.IsDone())
        return chosen;
    return RunCommand(run, std::vector<std::string>(commandLine.begin() + 1, commandLine.end()), database);
}

CJ3DbResult CJ3DbTool::RunCommand(CJ3DbCommand::Handler run, const std::vector<std::string>& args,
                                  const std::optional<std::filesystem::path>& database)
{
    std::string configError;
    if (!CJ3MachineConfig::ReloadCurrent(configError))
        return CJ3DbResult::Failed(configError);
    const auto config = CJ3MachineConfig::Current();
    CDBIdentity::Apply(config->Identity());
    CJ3DbFrame frame(m_out, m_err, m_progressBar, database.value_or(config->DatabaseFile()), database.has_value());
    CJ3DbResult result = run(frame, args);
    // Output that could not be written (a full disk, a closed pipe) is a
    // failure, not a listing.
    m_out.flush();
    if (!m_out && result.IsDone())
        return CJ3DbResult::Failed("Die Ausgabe kann nicht geschrieben werden.");
    return result;
}
