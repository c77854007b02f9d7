#include "j3db/J3DbTool.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "dbdll/PracticeDatabase.h"
#include "dbdll/PracticeFileMode.h"
#include "j3db/J3LocalFile.h"
#include "j3db/J3PracticeCopy.h"
#include "j3db/J3ProgressBar.h"
#include "j3db/J3SamplePractice.h"
#include "j3params/J3HostText.h"
#include "j3params/J3MachineConfig.h"
#include "vkbasis/CPath.h"
#include "vkbasis/TerminalText.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/DBStorePath.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <charconv>
#include <chrono>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <optional>
#include <sstream>

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

std::string ListingLine(const SDBFileEntry& entry, bool longForm)
{
    const std::string name = CJ3HostText::ToTerminal(StoreName(entry.path)) + (entry.isDirectory ? "\\" : "");
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

// A folder of its own beside a new database file, removed however the
// command ends: the database is built there and appears under its name only
// when complete, so an interrupted or killed command leaves no part of it.
struct SScratchFolder {
    std::filesystem::path folder;
    ~SScratchFolder()
    {
        std::error_code ignored;
        if (!folder.empty())
            std::filesystem::remove_all(folder, ignored);
    }
};

// The start of the names of the scratch folders for a new database file;
// the process id of the folder's owner follows.
std::string ScratchPrefix(const std::filesystem::path& file)
{
    return "." + file.filename().string() + ".neu-";
}

// Removes the scratch folders that killed commands left for the same file:
// those whose owner no longer runs.
void RemoveStaleScratch(const std::filesystem::path& file)
{
    const std::string prefix = ScratchPrefix(file);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || entry.symlink_status(ec).type() != std::filesystem::file_type::directory)
            continue;
        pid_t owner = 0;
        const char* last = name.data() + name.size();
        const auto [end, fault] = std::from_chars(name.data() + prefix.size(), last, owner);
        if (fault == std::errc() && end != last && *end == '-' && owner > 0 && kill(owner, 0) != 0 && errno == ESRCH)
            std::filesystem::remove_all(entry.path(), ec);
    }
}

// Empty when the scratch folder for a new database file is made; else why not.
std::string PrepareNewFile(const std::filesystem::path& file, SScratchFolder& scratch)
{
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec)
        return "Der Ordner " + file.parent_path().string() + " kann nicht angelegt werden: " + ec.message();
    if (std::filesystem::exists(std::filesystem::symlink_status(file, ec)))
        return "Die Datei " + file.string() + " existiert bereits; sie wird nicht überschrieben.";
    RemoveStaleScratch(file);
    std::string name = (file.parent_path() / (ScratchPrefix(file) + std::to_string(getpid()) + "-XXXXXX")).string();
    if (!mkdtemp(name.data()))
        return "Im Ordner " + file.parent_path().string() + " kann nichts angelegt werden: " + std::strerror(errno);
    scratch.folder = name;
    return {};
}

// Gives the finished database its mode and name, never over a file that
// appeared meanwhile; empty when done. The mode is set while the file still
// lies in the scratch folder, which only its owner can enter.
std::string Publish(const std::filesystem::path& building, const std::filesystem::path& file)
{
    if (const std::string refused = CPracticeFileMode::Restrict(building); !refused.empty())
        return refused;
    if (renameat2(AT_FDCWD, building.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    return "Die Datei " + file.string() + " kann nicht angelegt werden: " +
           (errno == EEXIST ? std::string("sie existiert inzwischen") : std::strerror(errno));
}

// Entries of a store search; false when the search itself failed, which is
// not the same as finding nothing.
bool FindEntries(CDBFileStore& store, const CString& pattern, std::vector<SDBFileEntry>& entries,
                 std::size_t maxEntries = std::numeric_limits<std::size_t>::max())
{
    entries.clear();
    return store.Visit(pattern, [&](const SDBFileEntryView& view) {
        entries.push_back({CString(view.path), view.isDirectory, view.length, view.lastWriteTime});
        return entries.size() < maxEntries;
    });
}

// A database named on the command line: a server's URL as given, a file
// relative to the working folder.
std::filesystem::path Location(const std::string& argument)
{
    return CVKDatabase::IsServerLocation(argument) ? std::filesystem::path(argument)
                                                   : std::filesystem::absolute(argument);
}

// Ctrl+C, a closed terminal or a kill (other than -9) while a copy runs:
// the copy stops at the next record and rolls back instead of the program
// ending in the middle.
class CInterruptCatcher {
public:
    CInterruptCatcher()
    {
        s_caught = 0;
        struct sigaction action {};
        action.sa_handler = [](int) { s_caught = 1; };
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            sigaction(kSignals[i], &action, &m_previous[i]);
    }
    ~CInterruptCatcher()
    {
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    CInterruptCatcher(const CInterruptCatcher&) = delete;
    CInterruptCatcher& operator=(const CInterruptCatcher&) = delete;

    static bool Caught() { return s_caught != 0; }

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    static inline volatile std::sig_atomic_t s_caught = 0;
    struct sigaction m_previous[std::size(kSignals)] {};
};

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
            return WrongCall("--db braucht eine Datei oder URL.");
        m_databaseFile = Location(args[next]);
        m_databaseGiven = true;
    }
    if (next == args.size())
        return WrongCall("Kein Befehl angegeben.");

    static const SCommand commands[] = {
        {"init", 0, 2, &CJ3DbTool::Init}, {"ls", 1, 2, &CJ3DbTool::List},
        {"put", 2, 2, &CJ3DbTool::Put},   {"get", 1, 2, &CJ3DbTool::Get},
        {"rm", 1, 1, &CJ3DbTool::Remove}, {"import", 2, 2, &CJ3DbTool::Import},
        {"param", 1, 4, &CJ3DbTool::Param}, {"migrate", 2, 2, &CJ3DbTool::Migrate},
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
    const int result = (this->*command->handler)(Args(commandLine.begin() + 1, commandLine.end()));
    // Output that could not be written (a full disk, a closed pipe) is a
    // failure, not a listing.
    m_out.flush();
    if (!m_out && result == kDone)
        return Fail("Die Ausgabe kann nicht geschrieben werden.");
    return result;
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
    std::filesystem::path location = m_databaseFile;
    bool locationGiven = false;
    for (const auto& arg : args) {
        if (arg == "--sample") {
            sample = true;
        } else if (arg.starts_with("-")) {
            return WrongCall("Unbekannte Option " + arg + " für init.");
        } else if (locationGiven || (m_databaseGiven && Location(arg) != m_databaseFile)) {
            return WrongCall("init legt nur eine Datenbank an.");
        } else {
            location = Location(arg);
            locationGiven = true;
        }
    }
    // A server's database gets the schema and the sample in one transaction;
    // a file is built beside its place and named only when complete. Either
    // way an interrupted or killed init leaves nothing.
    const CInterruptCatcher catcher;
    const bool server = CVKDatabase::IsServerLocation(location);
    SScratchFolder scratch;
    if (!server)
        if (const std::string error = PrepareNewFile(location, scratch); !error.empty())
            return Fail(error);
    const std::filesystem::path building = server ? location : scratch.folder / location.filename();
    CString sampleError;
    bool filled = true;
    const auto fill = [&] {
        filled = !sample || CJ3SamplePractice::Fill(sampleError);
        return filled && !CInterruptCatcher::Caught();
    };
    const bool created = dbDatabase.Create(building, fill);
    dbDatabase.Close();
    if (!created && CInterruptCatcher::Caught())
        return Fail("Abgebrochen; nichts ist angelegt.");
    if (!filled)
        return Fail("Die Beispielpraxis kann nicht angelegt werden, nichts ist angelegt: " +
                    CJ3HostText::ToHost(sampleError));
    if (!created)
        return FailDatabase();
    if (!server)
        if (const std::string error = Publish(building, location); !error.empty())
            return Fail(error);
    m_out << "Praxisdatenbank " << (server ? std::string("auf dem Datenbankserver") : location.string())
          << " angelegt" << (sample ? " mit der Beispielpraxis" : "") << ".\n";
    return kDone;
}

int CJ3DbTool::List(const Args& args)
{
    const bool longForm = args.size() == 2;
    if (longForm && args[0] != "-l")
        return WrongCall("ls kennt nur die Option -l.");
    CString path;
    if (!StorePath(args.back(), path) || !OpenDatabase(true))
        return kFailed;
    CDBFileStore store(dbDatabase);
    std::vector<SDBFileEntry> entries;
    bool searched = true;
    if (StoreName(path).FindOneOf("*?") >= 0) {
        searched = FindEntries(store, path, entries);
    } else {
        const CString dir = WithoutTrailingSeparators(path);
        searched = FindEntries(store, dir + "\\*", entries);
        if (searched && entries.empty())
            searched = FindEntries(store, dir, entries);
    }
    if (!searched)
        return FailDatabase();
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
    if (const std::string fault = NewFileFault(path); !fault.empty())
        return WrongCall(fault);
    std::string content;
    std::int64_t lastWriteTime = 0;
    std::string error;
    if (!CJ3LocalFile::Read(local, true, content, lastWriteTime, error))
        return Fail(error);
    if (!OpenDatabase(false))
        return kFailed;
    CDBFileStore store(dbDatabase);
    return store.SaveFile(path, CString(content), lastWriteTime) ? kDone : FailDatabase();
}

int CJ3DbTool::Get(const Args& args)
{
    CString path;
    if (!StorePath(args[0], path) || !OpenDatabase(true))
        return kFailed;
    CDBFileStore store(dbDatabase);
    CString content;
    if (!store.LoadFile(path, content))
        return FailDatabase();
    if (args.size() == 1 || args[1] == "-") {
        m_out.write(content.GetString(), content.GetLength());
        m_out.flush();
        return m_out ? kDone : Fail("Die Ausgabe kann nicht geschrieben werden.");
    }
    std::filesystem::path target = args[1];
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        target /= CJ3HostText::ToHost(StoreName(path));
    std::string error;
    return CJ3LocalFile::Write(target, content.str(), error) ? kDone : Fail(error);
}

int CJ3DbTool::Remove(const Args& args)
{
    CString path;
    if (!StorePath(args[0], path) || !OpenDatabase(false))
        return kFailed;
    CDBFileStore store(dbDatabase);
    std::vector<SDBFileEntry> below;
    if (!store.FileExists(path) && !FindEntries(store, WithoutTrailingSeparators(path) + "\\*", below, 1))
        return FailDatabase();
    if (!below.empty())
        return Fail(args[0] + " ist ein Verzeichnis; rm löscht nur Dateien.");
    return store.RemoveFile(path) ? kDone : FailDatabase();
}

int CJ3DbTool::Import(const Args& args)
{
    const std::filesystem::path localDir = args[0];
    std::error_code ec;
    if (!std::filesystem::is_directory(localDir, ec))
        return Fail("Den lokalen Ordner " + localDir.string() + " gibt es nicht.");
    // Links are not followed, neither to files nor to folders: an import
    // takes what lies in the folder itself, and says what it passed over.
    std::vector<std::filesystem::path> files;
    std::vector<std::filesystem::path> skipped;
    for (std::filesystem::recursive_directory_iterator it(localDir, ec), end; !ec && it != end; it.increment(ec)) {
        const auto type = it->symlink_status(ec).type();
        if (type == std::filesystem::file_type::regular)
            files.push_back(it->path().lexically_relative(localDir));
        else if (type != std::filesystem::file_type::directory)
            skipped.push_back(it->path().lexically_relative(localDir));
    }
    if (ec)
        return Fail("Der lokale Ordner " + localDir.string() + " kann nicht ganz gelesen werden: " + ec.message());
    std::sort(files.begin(), files.end());
    std::sort(skipped.begin(), skipped.end());

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
    std::vector<CString> paths;
    std::string refused;
    for (const auto& file : files) {
        CString path = storeDir + "\\" + CJ3HostText::FromHost(file.string());
        path.Replace('/', '\\');
        if (const std::string fault = NewFileFault(path); !fault.empty())
            refused += "\n  " + fault;
        paths.push_back(path);
    }
    if (!refused.empty())
        return WrongCall("Nichts ist importiert:" + refused);
    for (const auto& link : skipped)
        m_err << "j3db: übersprungen, keine gewöhnliche Datei (symbolische Verknüpfung, Gerät oder Pipe): "
              << CTerminalText::Safe(std::string_view(link.string())) << "\n";
    if (files.empty()) {
        m_out << "Im Ordner " << localDir.string() << " gibt es keine Dateien; nichts ist importiert.\n";
        return kDone;
    }
    if (!OpenDatabase(false))
        return kFailed;

    CDBFileStore store(dbDatabase);
    CVKTransaction transaction(dbDatabase);
    if (!transaction.IsActive())
        return FailDatabase();
    CJ3ProgressBar progress(m_err, m_progressBar ? CJ3ProgressBar::EStyle::Bar : CJ3ProgressBar::EStyle::Off, files.size());
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string content;
        std::int64_t lastWriteTime = 0;
        std::string error;
        const bool stored = CJ3LocalFile::Read(localDir / files[i], false, content, lastWriteTime, error) &&
                            store.SaveFile(paths[i], CString(content), lastWriteTime);
        if (!stored) {
            progress.Finish();
            return error.empty() ? FailDatabase() : Fail(error + " Nichts ist importiert.");
        }
        bytes += content.size();
        progress.Update(i + 1);
    }
    progress.Finish();
    if (!transaction.Commit())
        return FailDatabase();
    m_out << files.size() << " Dateien (" << bytes << " Bytes) nach " << args[1] << " importiert.\n";
    return kDone;
}

int CJ3DbTool::Migrate(const Args& args)
{
    const std::filesystem::path from = Location(args[0]);
    const std::filesystem::path to = Location(args[1]);
    if (from == to)
        return WrongCall("migrate braucht zwei verschiedene Datenbanken.");
    const CInterruptCatcher catcher;
    CVKDatabase source;
    if (!source.Open(from))
        return Fail(CJ3HostText::ToHost(source.GetLastError()));
    // A new file is built beside its place and named only when the copy is
    // complete and checked; a server database or an existing file is written
    // in the copy's transaction.
    std::error_code ec;
    const bool newFile =
        !CVKDatabase::IsServerLocation(to) && !std::filesystem::exists(std::filesystem::symlink_status(to, ec));
    SScratchFolder scratch;
    std::filesystem::path building = to;
    if (newFile) {
        if (const std::string error = PrepareNewFile(to, scratch); !error.empty())
            return Fail(error);
        building = scratch.folder / to.filename();
    }
    // A new database (a new file, a server schema without tables) gets its
    // schema in the copy's transaction, so that a failed, interrupted or
    // killed copy leaves no tables behind; an existing database without
    // records gets only the copy's transaction.
    CVKDatabase target;
    CJ3PracticeCopy copy(source, target);
    const auto style = m_progressBar ? CJ3ProgressBar::EStyle::Bar : CJ3ProgressBar::EStyle::Lines;
    std::optional<CJ3PracticeCopy::EResult> result;
    const auto runCopy = [&] {
        result = copy.Run(m_err, style, &CInterruptCatcher::Caught);
        return result == CJ3PracticeCopy::EResult::Done;
    };
    bool written = false;
    if (newFile || CVKDatabase::IsServerLocation(to))
        written = target.Create(building, runCopy);
    if (!result && !newFile) {
        bool holds = false;
        if (!target.Open(to))
            return Fail(CJ3HostText::ToHost(target.GetLastError()));
        if (!copy.TargetHoldsRecords(holds))
            return Fail(CJ3HostText::ToHost(copy.Error()));
        if (holds)
            return Fail("Im Ziel gibt es schon eine Praxis; migrate kopiert nur in eine leere Datenbank. "
                        "Nichts ist geändert.");
        written = runCopy();
    }
    if (!result)
        return Fail(CJ3HostText::ToHost(target.GetLastError()) + " Ins Ziel ist nichts kopiert.");
    switch (*result) {
    case CJ3PracticeCopy::EResult::Interrupted:
        return Fail("Abgebrochen; ins Ziel ist nichts kopiert.");
    case CJ3PracticeCopy::EResult::Failed:
        return Fail(CJ3HostText::ToHost(copy.Error()) + " Ins Ziel ist nichts kopiert.");
    case CJ3PracticeCopy::EResult::Done:
        if (!written)
            return Fail(CJ3HostText::ToHost(target.GetLastError()) + " Ins Ziel ist nichts kopiert.");
        break;
    }
    target.Close();
    if (const std::string error = newFile ? Publish(building, to) : ""; !error.empty())
        return Fail(error);
    std::int64_t records = 0;
    for (const auto& check : copy.Checks())
        records += check.records;
    m_out << "Praxis kopiert und geprüft: " << records << " Datensätze in " << copy.Checks().size()
          << " Tabellen.\n";
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
    if (!ParamNumber(args[0], record.m_strNr) || !OpenDatabase(true))
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
    // A key nobody can type or see in a list would hold a value for no one.
    if (args[1].empty() || CTerminalText::Safe(args[1]) != args[1])
        return Fail("Der Schlüssel \"" + args[1] + "\" ist leer oder enthält Steuerzeichen; nichts ist geändert.");
    if (!OpenDatabase(false))
        return kFailed;
    record.m_strKey = CJ3HostText::FromHost(args[1]);
    record.m_strValue = CJ3HostText::FromHost(args[2]);
    return record.WriteValue("") ? kDone : FailDatabase();
}

int CJ3DbTool::ParamList(const Args& args)
{
    CString number;
    if ((!args.empty() && !ParamNumber(args[0], number)) || !OpenDatabase(true))
        return kFailed;
    CVKQuery query(dbDatabase, args.empty() ? "SELECT nr, kuerzel, wert FROM parpool ORDER BY nr, kuerzel"
                                            : "SELECT nr, kuerzel, wert FROM parpool WHERE nr = ?1 ORDER BY kuerzel");
    if (!args.empty())
        query.Bind(1, number);
    while (query.Next()) {
        m_out << CJ3HostText::ToTerminal(query.ColumnText(0)) << "\t" << CJ3HostText::ToTerminal(query.ColumnText(1))
              << "\t" << CJ3HostText::ToTerminal(query.ColumnText(2)) << "\n";
    }
    return query.Failed() ? FailDatabase() : kDone;
}

bool CJ3DbTool::OpenDatabase(bool readOnly)
{
    // Commands that only read also work on a database that cannot be
    // written (a read-only folder or file): they open it read-only then.
    // Otherwise the usual read-write open cleans up the log's side files.
    const std::filesystem::path folder = m_databaseFile.has_parent_path() ? m_databaseFile.parent_path() : ".";
    if (readOnly && !CVKDatabase::IsServerLocation(m_databaseFile) && (access(folder.c_str(), W_OK) != 0 || access(m_databaseFile.c_str(), W_OK) != 0)) {
        if (dbDatabase.Open(m_databaseFile, CVKDatabase::EOpenMode::ReadOnly))
            return true;
        Fail(CJ3HostText::ToHost(dbDatabase.GetLastError()));
        return false;
    }
    CString error;
    if (CPracticeDatabase::Open(m_databaseFile, error))
        return true;
    Fail(CJ3HostText::ToHost(error));
    return false;
}

std::string CJ3DbTool::NewFileFault(const CString& path)
{
    const std::string fault = CDBStorePath::NewFileFault(CDBStorePath::Normalize(path.str()));
    const std::string shown = CJ3HostText::ToTerminal(path);
    if (!fault.empty())
        return "\"" + shown + "\" kann nicht gespeichert werden: " + CJ3HostText::ToHost(CString(fault)) + ".";
    const auto config = CJ3MachineConfig::Current();
    for (const EJ3Dir root : {EJ3Dir::Data, EJ3Dir::QA}) {
        if (CPath(path).IsSubPath(CPath(CString(CJ3HostText::FromHost(config->Dir(root))))))
            return {};
    }
    return "\"" + shown + "\" liegt in keinem Ordner, den der Dateidialog zeigt (" + config->Dir(EJ3Dir::Data) +
           " oder " + config->Dir(EJ3Dir::QA) + "); die Datei wäre für alle verloren.";
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
    m_err << "j3db: " << CTerminalText::Message(message) << "\n";
    return kFailed;
}

int CJ3DbTool::FailDatabase()
{
    return Fail(CJ3HostText::ToHost(dbDatabase.GetLastError()));
}

int CJ3DbTool::WrongCall(const std::string& message)
{
    m_err << "j3db: " << CTerminalText::Message(message) << "\n\"j3db --help\" zeigt die Befehle.\n";
    return kWrongCall;
}
