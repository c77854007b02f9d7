#pragma once
#include "j3params/J3Dir.h"
#include "j3params/J3DriveMap.h"
#include "j3params/J3Identity.h"

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class CJ3IniFile;

// The configuration of one machine: where the practice database is, the
// suite's directories, the drive mapping, the machine parameters and the
// identity of the running program.
//
// Where it comes from, later sources winning:
// 1. built-in defaults below the user's XDG folders (see Defaults);
// 2. the file $J3_CONFIG, else $XDG_CONFIG_HOME/j3/j3machine.ini, else
//    ~/.config/j3/j3machine.ini. A missing file at the default place is no
//    fault (defaults only); a missing file named by J3_CONFIG is one;
// 3. environment variables, so that two workstations can run side by side on
//    one machine: J3_DB (database file or server URL), J3_PLUGIN_DIR, and for the identity
//    J3_WORKSTATION, J3_USER, J3_PROGID, J3_INSTANCE, J3_PRAXIS, J3_MANDANT,
//    J3_TASK. An empty variable counts as unset.
//
// File keys (all optional; names compare without regard to ASCII case; see
// j3machine.ini.example):
//   [database]   file       host path of the SQLite database, or
//                url        postgresql://user@host:port/database of a server,
//                           or libpq's keywords (host=... dbname=...,
//                           service=...); the later line wins. A file that
//                           holds a password here must be its owner's alone.
//   [host]       plugins    host folder of the libraries loaded by name
//   [paths]      data, data_ro, qa, appdata, temp, log, help
//                           Windows paths "X:\..."; a missing trailing
//                           backslash is added, since callers append names
//   [drives]     C = host folder (one key per drive letter)
//   [identity]   workstation, user, progid, instance, praxis, mandant, task
//   [parameters] any name = any text: the machine parameters ("leaktrack",
//                "UseCrashRpt", ...); "name =" is present with the empty value
// Host paths may start with "~/" for the home folder; other relative host paths
// in the file count from the file's folder, in the environment from the
// working directory.
// Numeric identity values (workstation, user, instance, mandant, task) must be
// decimal numbers; the workstation lies in 1..999.
// Unknown sections and unknown keys outside [parameters] and [drives] are
// errors: a misspelt key would otherwise be ignored without a word.
class CJ3MachineConfig {
public:
    using EnvLookup = std::function<std::optional<std::string>(const std::string& name)>;

    // Defaults: database $XDG_DATA_HOME/j3/praxis.j3db (else
    // ~/.local/share/j3/praxis.j3db); drive C: -> $XDG_DATA_HOME/j3/drive_c;
    // directories C:\J3\Daten\, C:\J3\DatenRO\, C:\J3\QA\, C:\J3\AppData\,
    // C:\J3\Temp\, C:\J3\Log\, C:\J3\Hilfe\; plugins beside this library;
    // identity workstation, user, instance, praxis and mandant "1", program
    // "J3", task the process id; no machine parameters.
    static CJ3MachineConfig Defaults(const EnvLookup& env);
    // Defaults, file and environment as above. Throws CJ3ConfigError.
    static CJ3MachineConfig Load(const EnvLookup& env);
    static std::filesystem::path FileLocation(const EnvLookup& env);
    static EnvLookup ProcessEnvironment();

    // The process-wide configuration, loaded from the process environment on
    // first use. When that load fails, the defaults serve and the error is
    // written to stderr once, on the next use; programs that must not go on
    // with the defaults call ReloadCurrent at start and stop on false (the
    // error is then theirs to report).
    static std::shared_ptr<const CJ3MachineConfig> Current();
    // Loads anew from the process environment; on failure keeps the previous
    // configuration (the defaults when there was none, without a report on
    // stderr) and gives the reason.
    static bool ReloadCurrent(std::string& error);

    // The database file, or the URL of the database server.
    const std::filesystem::path& DatabaseFile() const { return m_databaseFile; }
    // Which setting chose the database, in German for the user: a missing
    // database is only mended where it was configured.
    const std::string& DatabaseOrigin() const { return m_databaseOrigin; }
    // The group whose members may read and write a database file created
    // here ([database] group); empty: its owner only.
    const std::string& PracticeGroup() const { return m_practiceGroup; }
    const std::filesystem::path& PluginDir() const { return m_pluginDir; }
    const std::string& Dir(EJ3Dir dir) const { return m_dirs[static_cast<std::size_t>(dir)]; }
    // nullopt when the parameter is not configured.
    std::optional<std::string> MachineParameter(const std::string& name) const;
    const SJ3Identity& Identity() const { return m_identity; }
    const CJ3DriveMap& Drives() const { return m_drives; }
    // The file read, empty when there was none.
    const std::filesystem::path& SourceFile() const { return m_sourceFile; }

private:
    void ApplyFile(const CJ3IniFile& file, const std::filesystem::path& folder, const std::filesystem::path& home);
    void ApplyEnvironment(const EnvLookup& env, const std::filesystem::path& home);

    std::filesystem::path m_databaseFile;
    std::string m_databaseOrigin;
    std::string m_practiceGroup;
    std::filesystem::path m_pluginDir;
    std::array<std::string, 7> m_dirs;
    std::map<std::string, std::string> m_parameters; // name as written -> value
    SJ3Identity m_identity;
    CJ3DriveMap m_drives;
    std::filesystem::path m_sourceFile;
};
