#include "j3db/J3DbTool.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "dbdll/PracticeDatabase.h"
#include "j3db/J3ProgressBar.h"
#include "j3db/J3SamplePractice.h"
#include "j3params/J3HostText.h"
#include "j3params/J3MachineConfig.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace {

const char* const kUsage =
    "Aufruf: j3db [--db DATEI] BEFEHL ...\n"
    "Verwaltet die Praxisdatenbank (ohne --db die der Maschinenkonfiguration).\n"
    "\n"
    "  init [--sample] [DATEI]      legt die Datenbank an; --sample mit der Beispielpraxis\n"
    "  ls [-l] VERZEICHNIS|MUSTER   listet ein Verzeichnis des Dateispeichers\n"
    "  put LOKAL PFAD               speichert eine lokale Datei im Dateispeicher\n"
    "  get PFAD [LOKAL]             holt eine Datei (ohne LOKAL auf die Standardausgabe)\n"
    "  rm PFAD                      löscht eine Datei des Dateispeichers\n"
    "  import ORDNER VERZEICHNIS    speichert einen lokalen Ordner samt Unterordnern\n"
    "  param get NR SCHLÜSSEL       zeigt einen Parameter\n"
    "  param set NR SCHLÜSSEL WERT  setzt einen Parameter\n"
    "  param ls [NR]                listet die Parameter (einer Nummer)\n"
    "\n"
    "Pfade im Dateispeicher sind Windows-Pfade, z. B. \"C:\\J3\\Daten\\Briefe\".\n"
    "Exit-Status: 0 erledigt, 1 fehlgeschlagen (nichts geändert), 2 falscher Aufruf.\n";

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongCall = 2;

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

CString WithoutTrailingSeparators(CString path)
{
    path.TrimRight("\\/");
    return path;
}

// The last element of a store path.
CString StoreName(const CString& path)
{
    const int separator = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return path.Mid(separator + 1);
}

bool ReadLocalFile(const std::filesystem::path& file, CString& content, std::int64_t& lastWriteTime,
                   std::string& error)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = "Die lokale Datei " + file.string() + " gibt es nicht, oder sie ist keine Datei.";
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const auto modified = std::filesystem::last_write_time(file, ec);
    if (!in || ec) {
        error = "Die lokale Datei " + file.string() + " kann nicht gelesen werden.";
        return false;
    }
    content = CString(bytes.view());
    lastWriteTime = std::chrono::duration_cast<std::chrono::seconds>(
                        std::chrono::file_clock::to_sys(modified).time_since_epoch())
                        .count();
    return true;
}

std::string ListingLine(const SDBFileEntry& entry, bool longForm)
{
    const std::string name = CJ3HostText::ToHost(StoreName(entry.path)) + (entry.isDirectory ? "\\" : "");
    if (!longForm)
        return name;
    std::ostringstream line;
    if (entry.isDirectory) {
        line << std::string(16, ' ') << "  " << std::setw(12) << "<DIR>";
    } else {
        const std::time_t time = static_cast<std::time_t>(entry.lastWriteTime);
        std::tm local{};
        localtime_r(&time, &local);
        line << std::put_time(&local, "%Y-%m-%d %H:%M") << "  " << std::setw(12) << entry.length;
    }
    line << "  " << name;
    return line.str();
}

void RemoveDatabaseFiles(const std::filesystem::path& file)
{
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix, ignored);
}

// Closes the practice database however a command ends.
struct SDatabaseCloser {
    ~SDatabaseCloser() { CPracticeDatabase::Close(); }
};

} // namespace

CJ3DbTool::CJ3DbTool(std::ostream& out, std::ostream& err, bool progressBar)
    : m_out(out), m_err(err), m_progressBar(progressBar)
{
}

int CJ3DbTool::Run(const Args& args)
{
    std::size_t next = 0;
    for (; next < args.size() && args[next].starts_with("-"); ++next) {
        if (args[next] == "--help" || args[next] == "-h") {
            m_out << kUsage;
            return kDone;
        }
        if (args[next] != "--db")
            return WrongCall("Unbekannte Option " + args[next] + ".");
        if (++next == args.size() || args[next].empty())
            return WrongCall("--db braucht eine Datei.");
        m_databaseFile = std::filesystem::absolute(args[next]);
        m_databaseGiven = true;
    }
    if (next == args.size())
        return WrongCall("Kein Befehl angegeben.");

    static const SCommand commands[] = {
        {"init", 0, 2, &CJ3DbTool::Init}, {"ls", 1, 2, &CJ3DbTool::List},
        {"put", 2, 2, &CJ3DbTool::Put},   {"get", 1, 2, &CJ3DbTool::Get},
        {"rm", 1, 1, &CJ3DbTool::Remove}, {"import", 2, 2, &CJ3DbTool::Import},
        {"param", 1, 4, &CJ3DbTool::Param},
    };
    const Args commandLine(args.begin() + static_cast<std::ptrdiff_t>(next), args.end());
    const SCommand* command = Choose(commands, commandLine, "");
    if (!command)
        return kWrongCall;

    std::string configError;
    if (!CJ3MachineConfig::ReloadCurrent(configError))
        return Fail(configError);
    const auto config = CJ3MachineConfig::Current();
    if (!m_databaseGiven)
        m_databaseFile = config->DatabaseFile();
    CDBIdentity::Apply(config->Identity());
    const SDatabaseCloser closer;
    return (this->*command->handler)(Args(commandLine.begin() + 1, commandLine.end()));
}

const CJ3DbTool::SCommand* CJ3DbTool::Choose(std::span<const SCommand> table, const Args& args,
                                             const std::string& caller)
{
    const auto command =
        std::find_if(table.begin(), table.end(), [&](const SCommand& c) { return args[0] == c.name; });
    if (command == table.end()) {
        std::string known;
        for (const auto& c : table)
            known += std::string(known.empty() ? "" : ", ") + c.name;
        WrongCall("Unbekannter Befehl " + (caller.empty() ? "" : caller + " ") + args[0] + " (bekannt: " + known + ").");
        return nullptr;
    }
    const std::size_t count = args.size() - 1;
    if (count < command->minArgs || count > command->maxArgs) {
        WrongCall("Falsche Zahl von Argumenten für " + (caller.empty() ? "" : caller + " ") + args[0] + ".");
        return nullptr;
    }
    return &*command;
}

int CJ3DbTool::Init(const Args& args)
{
    bool sample = false;
    std::filesystem::path file = m_databaseFile;
    bool fileGiven = false;
    for (const auto& arg : args) {
        if (arg == "--sample") {
            sample = true;
        } else if (arg.starts_with("-")) {
            return WrongCall("Unbekannte Option " + arg + " für init.");
        } else if (fileGiven || (m_databaseGiven && std::filesystem::absolute(arg) != m_databaseFile)) {
            return WrongCall("init legt nur eine Datenbank an.");
        } else {
            file = std::filesystem::absolute(arg);
            fileGiven = true;
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec)
        return Fail("Der Ordner " + file.parent_path().string() + " kann nicht angelegt werden: " + ec.message());
    if (!dbDatabase.Create(file))
        return FailDatabase();
    dbDatabase.Close();
    if (sample) {
        m_databaseFile = file;
        CString error;
        if (!OpenDatabase()) {
            RemoveDatabaseFiles(file);
            return kFailed;
        }
        if (!CJ3SamplePractice::Fill(error)) {
            CPracticeDatabase::Close();
            RemoveDatabaseFiles(file);
            return Fail("Die Beispielpraxis kann nicht angelegt werden, die Datei ist wieder entfernt: " +
                        CJ3HostText::ToHost(error));
        }
    }
    m_out << "Praxisdatenbank " << file.string() << " angelegt" << (sample ? " mit der Beispielpraxis" : "")
          << ".\n";
    return kDone;
}

int CJ3DbTool::List(const Args& args)
{
    const bool longForm = args.size() == 2;
    if (longForm && args[0] != "-l")
        return WrongCall("ls kennt nur die Option -l.");
    CString path;
    if (!StorePath(args.back(), path) || !OpenDatabase())
        return kFailed;
    CDBFileStore store(dbDatabase);
    std::vector<SDBFileEntry> entries;
    if (StoreName(path).FindOneOf("*?") >= 0) {
        entries = store.Find(path);
    } else {
        const CString dir = WithoutTrailingSeparators(path);
        entries = store.Find(dir + "\\*");
        if (entries.empty() && store.FileExists(dir))
            entries = store.Find(dir);
    }
    if (entries.empty())
        return Fail("Unter " + args.back() + " gibt es in der Datenbank nichts.");
    for (const auto& entry : entries)
        m_out << ListingLine(entry, longForm) << "\n";
    return kDone;
}

int CJ3DbTool::Put(const Args& args)
{
    const std::filesystem::path local = args[0];
    CString path;
    if (!StorePath(args[1], path))
        return kFailed;
    if (IsSeparator(args[1].back()) && !StorePath(args[1] + local.filename().string(), path))
        return kFailed;
    CString content;
    std::int64_t lastWriteTime = 0;
    std::string error;
    if (!ReadLocalFile(local, content, lastWriteTime, error))
        return Fail(error);
    if (!OpenDatabase())
        return kFailed;
    CDBFileStore store(dbDatabase);
    return store.SaveFile(path, content, lastWriteTime) ? kDone : FailDatabase();
}

int CJ3DbTool::Get(const Args& args)
{
    CString path;
    if (!StorePath(args[0], path) || !OpenDatabase())
        return kFailed;
    CDBFileStore store(dbDatabase);
    CString content;
    if (!store.LoadFile(path, content))
        return FailDatabase();
    if (args.size() == 1) {
        m_out.write(content.GetString(), content.GetLength());
        m_out.flush();
        return m_out ? kDone : Fail("Die Ausgabe kann nicht geschrieben werden.");
    }
    std::filesystem::path target = args[1];
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        target /= CJ3HostText::ToHost(StoreName(path));
    // Written under a temporary name first, so that a failure leaves an
    // existing local file as it was.
    const std::filesystem::path partial = target.string() + ".j3db-teil";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(content.GetString(), content.GetLength());
        out.close();
        if (!out) {
            std::filesystem::remove(partial, ec);
            return Fail("Die lokale Datei " + target.string() + " kann nicht geschrieben werden.");
        }
    }
    std::filesystem::rename(partial, target, ec);
    if (ec) {
        std::filesystem::remove(partial, ec);
        return Fail("Die lokale Datei " + target.string() + " kann nicht geschrieben werden.");
    }
    return kDone;
}

int CJ3DbTool::Remove(const Args& args)
{
    CString path;
    if (!StorePath(args[0], path) || !OpenDatabase())
        return kFailed;
    CDBFileStore store(dbDatabase);
    if (!store.FileExists(path) && !store.Find(WithoutTrailingSeparators(path) + "\\*", 1).empty())
        return Fail(args[0] + " ist ein Verzeichnis; rm löscht nur Dateien.");
    return store.RemoveFile(path) ? kDone : FailDatabase();
}

int CJ3DbTool::Import(const Args& args)
{
    const std::filesystem::path localDir = args[0];
    std::error_code ec;
    if (!std::filesystem::is_directory(localDir, ec))
        return Fail("Den lokalen Ordner " + localDir.string() + " gibt es nicht.");
    std::vector<std::filesystem::path> files;
    for (std::filesystem::recursive_directory_iterator it(localDir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec))
            files.push_back(it->path().lexically_relative(localDir));
    }
    if (ec)
        return Fail("Der lokale Ordner " + localDir.string() + " kann nicht ganz gelesen werden: " + ec.message());
    std::sort(files.begin(), files.end());

    std::string unfit;
    for (const auto& file : files) {
        if (!CJ3HostText::FitsSuite(file.string()))
            unfit += "\n  " + file.string();
    }
    if (!unfit.empty())
        return Fail("Diese Namen kann die Datenbank nicht speichern (Zeichen außerhalb von Windows-1252); "
                    "nichts ist importiert:" + unfit);
    CString storeDir;
    if (!StorePath(args[1], storeDir))
        return kFailed;
    storeDir = WithoutTrailingSeparators(storeDir);
    if (files.empty()) {
        m_out << "Im Ordner " << localDir.string() << " gibt es keine Dateien; nichts ist importiert.\n";
        return kDone;
    }
    if (!OpenDatabase())
        return kFailed;

    CDBFileStore store(dbDatabase);
    CVKTransaction transaction(dbDatabase);
    if (!transaction.IsActive())
        return FailDatabase();
    CJ3ProgressBar progress(m_err, m_progressBar, files.size());
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        CString content;
        std::int64_t lastWriteTime = 0;
        std::string error;
        CString path = storeDir + "\\" + CJ3HostText::FromHost(files[i].string());
        path.Replace('/', '\\');
        const bool stored = ReadLocalFile(localDir / files[i], content, lastWriteTime, error) &&
                            store.SaveFile(path, content, lastWriteTime);
        if (!stored) {
            progress.Finish();
            return error.empty() ? FailDatabase() : Fail(error + " Nichts ist importiert.");
        }
        bytes += static_cast<std::uint64_t>(content.GetLength());
        progress.Update(i + 1);
    }
    progress.Finish();
    if (!transaction.Commit())
        return FailDatabase();
    m_out << files.size() << " Dateien (" << bytes << " Bytes) nach " << args[1] << " importiert.\n";
    return kDone;
}

int CJ3DbTool::Param(const Args& args)
{
    static const SCommand subcommands[] = {
        {"get", 2, 2, &CJ3DbTool::ParamGet},
        {"set", 3, 3, &CJ3DbTool::ParamSet},
        {"ls", 0, 1, &CJ3DbTool::ParamList},
    };
    const SCommand* sub = Choose(subcommands, args, "param");
    return sub ? (this->*sub->handler)(Args(args.begin() + 1, args.end())) : kWrongCall;
}

int CJ3DbTool::ParamGet(const Args& args)
{
    CJParPool record(&dbDatabase, nullptr);
    if (!ParamNumber(args[0], record.m_strNr) || !OpenDatabase())
        return kFailed;
    record.m_strKey = CJ3HostText::FromHost(args[1]);
    const int found = record.GetByK1(0);
    if (found == CVKRSet::DB_ERROR)
        return FailDatabase();
    if (found != CVKRSet::FOUND)
        return Fail("Den Parameter " + args[0] + " " + args[1] + " gibt es nicht.");
    m_out << CJ3HostText::ToHost(record.m_strValue) << "\n";
    return kDone;
}

int CJ3DbTool::ParamSet(const Args& args)
{
    CJParPool record(&dbDatabase, nullptr);
    if (!ParamNumber(args[0], record.m_strNr))
        return kFailed;
    for (const auto& text : {args[1], args[2]}) {
        if (!CJ3HostText::FitsSuite(text))
            return Fail("\"" + text + "\" hat Zeichen außerhalb von Windows-1252; nichts ist geändert.");
    }
    if (!OpenDatabase())
        return kFailed;
    record.m_strKey = CJ3HostText::FromHost(args[1]);
    record.m_strValue = CJ3HostText::FromHost(args[2]);
    return record.WriteValue("") ? kDone : FailDatabase();
}

int CJ3DbTool::ParamList(const Args& args)
{
    CString number;
    if ((!args.empty() && !ParamNumber(args[0], number)) || !OpenDatabase())
        return kFailed;
    CVKQuery query(dbDatabase, args.empty() ? "SELECT nr, kuerzel, wert FROM parpool ORDER BY nr, kuerzel"
                                            : "SELECT nr, kuerzel, wert FROM parpool WHERE nr = ?1 ORDER BY kuerzel");
    if (!args.empty())
        query.Bind(1, number);
    while (query.Next()) {
        m_out << CJ3HostText::ToHost(query.ColumnText(0)) << "\t" << CJ3HostText::ToHost(query.ColumnText(1)) << "\t"
              << CJ3HostText::ToHost(query.ColumnText(2)) << "\n";
    }
    return query.Failed() ? FailDatabase() : kDone;
}

bool CJ3DbTool::OpenDatabase()
{
    CString error;
    if (CPracticeDatabase::Open(m_databaseFile, error))
        return true;
    Fail(CJ3HostText::ToHost(error));
    return false;
}

bool CJ3DbTool::StorePath(const std::string& argument, CString& path)
{
    if (argument.empty() || !CJ3HostText::FitsSuite(argument)) {
        Fail("\"" + argument + "\" ist kein Pfad, den die Datenbank speichern kann (leer oder mit Zeichen "
             "außerhalb von Windows-1252).");
        return false;
    }
    path = CJ3HostText::FromHost(argument);
    return true;
}

bool CJ3DbTool::ParamNumber(const std::string& argument, CString& number)
{
    int value = -1;
    const auto [end, ec] = std::from_chars(argument.data(), argument.data() + argument.size(), value);
    if (ec != std::errc() || end != argument.data() + argument.size() || value < 0 || value > 999) {
        Fail("Die Parameternummer ist eine Zahl von 0 bis 999, nicht \"" + argument + "\".");
        return false;
    }
    number.Format("%3d", value);
    return true;
}

int CJ3DbTool::Fail(const std::string& message)
{
    m_err << "j3db: " << message << "\n";
    return kFailed;
}

int CJ3DbTool::FailDatabase()
{
    return Fail(CJ3HostText::ToHost(dbDatabase.GetLastError()));
}

int CJ3DbTool::WrongCall(const std::string& message)
{
    m_err << "j3db: " << message << "\n\"j3db --help\" zeigt die Befehle.\n";
    return kWrongCall;
}
