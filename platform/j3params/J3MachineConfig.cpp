#include "j3params/J3MachineConfig.h"

#include "j3params/J3ConfigError.h"
#include "j3params/J3IniFile.h"
#include "vkbasis/TerminalText.h"
#include "vkdb/VKServerLocation.h"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <mutex>

namespace {

const char* const kEnvironment = "environment";

struct SDirKey {
    EJ3Dir dir;
    const char* key;
    const char* defaultPath;
};

const SDirKey kDirKeys[] = {
    {EJ3Dir::Data, "data", "C:\\J3\\Daten\\"}, {EJ3Dir::DataRO, "data_ro", "C:\\J3\\DatenRO\\"},
    {EJ3Dir::QA, "qa", "C:\\J3\\QA\\"},        {EJ3Dir::AppData, "appdata", "C:\\J3\\AppData\\"},
    {EJ3Dir::Temp, "temp", "C:\\J3\\Temp\\"},  {EJ3Dir::Log, "log", "C:\\J3\\Log\\"},
    {EJ3Dir::Help, "help", "C:\\J3\\Hilfe\\"},
};

enum class EValueKind { Number, Workstation, Text };

struct SIdentityKey {
    const char* key;
    const char* variable;
    std::string SJ3Identity::*member;
    EValueKind kind;
};

const SIdentityKey kIdentityKeys[] = {
    {"workstation", "J3_WORKSTATION", &SJ3Identity::workstation, EValueKind::Workstation},
    {"user", "J3_USER", &SJ3Identity::user, EValueKind::Number},
    {"progid", "J3_PROGID", &SJ3Identity::progId, EValueKind::Text},
    {"instance", "J3_INSTANCE", &SJ3Identity::instance, EValueKind::Number},
    {"praxis", "J3_PRAXIS", &SJ3Identity::praxis, EValueKind::Text},
    {"mandant", "J3_MANDANT", &SJ3Identity::mandant, EValueKind::Number},
    {"task", "J3_TASK", &SJ3Identity::task, EValueKind::Number},
};

// Empty when the value suits its kind, else the reason.
std::string IdentityValueFault(const std::string& value, EValueKind kind)
{
    if (value.empty())
        return "must not be empty";
    if (kind == EValueKind::Text) {
        const bool hasControl =
            std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        return hasControl ? "must not hold control characters" : "";
    }
    const bool digitsOnly = std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digitsOnly || value.size() > 9)
        return "must be a decimal number, not \"" + value + "\"";
    if (kind == EValueKind::Workstation && (std::stoi(value) < 1 || std::stoi(value) > 999))
        return "must lie between 1 and 999, not " + value;
    return "";
}

// A Windows directory "X:\..." ending in a backslash, or an error.
std::string WindowsDir(const std::string& value, const std::string& source, int line, const std::string& key)
{
    const bool drive = value.size() >= 3 && std::isalpha(static_cast<unsigned char>(value[0])) && value[1] == ':' &&
                       (value[2] == '\\' || value[2] == '/');
    if (!drive)
        throw CJ3ConfigError(source, line,
                             key + " must be an absolute Windows path such as C:\\J3\\Daten\\, not \"" + value + "\"");
    return value.back() == '\\' || value.back() == '/' ? value : value + "\\";
}

std::optional<std::string> NonEmpty(const CJ3MachineConfig::EnvLookup& env, const std::string& name)
{
    auto value = env(name);
    if (value && value->empty())
        return std::nullopt;
    return value;
}

std::filesystem::path HomeFolder(const CJ3MachineConfig::EnvLookup& env)
{
    if (const auto value = NonEmpty(env, "HOME"))
        return *value;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return std::filesystem::temp_directory_path();
}

// An XDG base folder: the variable when it holds an absolute path, else the
// fallback below the home folder.
std::filesystem::path XdgFolder(const CJ3MachineConfig::EnvLookup& env, const char* variable, const char* belowHome)
{
    if (const auto value = NonEmpty(env, variable); value && std::filesystem::path(*value).is_absolute())
        return *value;
    return HomeFolder(env) / belowHome;
}

// A host path from the file or the environment; "~/" stands for the home folder.
std::filesystem::path HostPath(const std::string& value, const std::filesystem::path& base,
                               const std::filesystem::path& home, const std::string& source, int line,
                               const std::string& key)
{
    if (value.empty())
        throw CJ3ConfigError(source, line, key + " must name a host path, not the empty text");
    if (value == "~" || value.starts_with("~/"))
        return (home / value.substr(std::min<std::size_t>(2, value.size()))).lexically_normal();
    const std::filesystem::path path(value);
    return (path.is_absolute() ? path : base / path).lexically_normal();
}

// The folder this library was loaded from: the project's programs, libraries
// and plugins lie together there.
std::filesystem::path OwnLibraryFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&OwnLibraryFolder), &info) != 0 && info.dli_fname)
        return std::filesystem::absolute(info.dli_fname).parent_path();
    return std::filesystem::current_path();
}

std::mutex s_currentMutex;
std::shared_ptr<const CJ3MachineConfig> s_current;
std::string s_pendingWarning;

} // namespace

CJ3MachineConfig CJ3MachineConfig::Defaults(const EnvLookup& env)
{
    CJ3MachineConfig config;
    const std::filesystem::path dataHome = XdgFolder(env, "XDG_DATA_HOME", ".local/share") / "j3";
    config.m_databaseFile = dataHome / "praxis.j3db";
    config.m_databaseOrigin = "der Standardort (keine Maschinenkonfiguration unter " + FileLocation(env).string() + ")";
    config.m_drives.Map('C', dataHome / "drive_c");
    config.m_pluginDir = OwnLibraryFolder();
    for (const auto& dirKey : kDirKeys)
        config.m_dirs[static_cast<std::size_t>(dirKey.dir)] = dirKey.defaultPath;
    config.m_identity = {"1", "1", "J3", "1", "1", "1", std::to_string(getpid())};
    return config;
}

std::filesystem::path CJ3MachineConfig::FileLocation(const EnvLookup& env)
{
    if (const auto file = NonEmpty(env, "J3_CONFIG"))
        return *file;
    return XdgFolder(env, "XDG_CONFIG_HOME", ".config") / "j3" / "j3machine.ini";
}

CJ3MachineConfig CJ3MachineConfig::Load(const EnvLookup& env)
{
    CJ3MachineConfig config = Defaults(env);
    const std::filesystem::path file = FileLocation(env);
    std::error_code ec;
    if (NonEmpty(env, "J3_CONFIG") || std::filesystem::exists(file, ec)) {
        if (!std::filesystem::is_regular_file(file, ec))
            throw CJ3ConfigError(file.string(), 0, "the machine configuration file does not exist or is no file");
        config.ApplyFile(CJ3IniFile::Load(file), std::filesystem::absolute(file).parent_path(), HomeFolder(env));
        config.m_sourceFile = file;
        const auto others = std::filesystem::perms::group_read | std::filesystem::perms::others_read;
        if (CVKServerLocation::HoldsPassword(config.m_databaseFile.native()) &&
            (std::filesystem::status(file, ec).permissions() & others) != std::filesystem::perms::none)
            throw CJ3ConfigError(file.string(), 0,
                                 "the file holds the database password and others may read it; make it the "
                                 "owner's alone (chmod 600 " +
                                     file.string() +
                                     ") or keep the password in the "
                                     "password file ~/.pgpass (PGPASSFILE) or a service file (PGSERVICEFILE)");
    }
    config.ApplyEnvironment(env, HomeFolder(env));
    return config;
}

void CJ3MachineConfig::ApplyFile(const CJ3IniFile& file, const std::filesystem::path& folder,
                                 const std::filesystem::path& home)
{
    const std::string& source = file.SourceName();
    const auto is = CJ3IniFile::NamesEqual;
    for (const auto& entry : file.Entries()) {
        const auto unknownKey = [&] {
            return CJ3ConfigError(source, entry.line, "unknown key \"" + entry.key + "\" in [" + entry.section + "]");
        };
        if (is(entry.section, "parameters")) {
            m_parameters[entry.key] = entry.value;
        } else if (is(entry.section, "database")) {
            if (is(entry.key, "url")) {
                if (!CVKServerLocation::IsServerLocation(entry.value))
                    throw CJ3ConfigError(source, entry.line,
                                         "url must be a postgresql:// URL or keywords host=... dbname=...");
                m_databaseFile = entry.value;
            } else if (is(entry.key, "file")) {
                m_databaseFile = HostPath(entry.value, folder, home, source, entry.line, entry.key);
            } else if (is(entry.key, "group")) {
                m_practiceGroup = entry.value;
                continue;
            } else {
                throw unknownKey();
            }
            m_databaseOrigin = "eingestellt in " + source + ", Zeile " + std::to_string(entry.line) + " ([database] " +
                               (is(entry.key, "url") ? "url" : "file") + ")";
        } else if (is(entry.section, "host")) {
            if (!is(entry.key, "plugins"))
                throw unknownKey();
            m_pluginDir = HostPath(entry.value, folder, home, source, entry.line, entry.key);
        } else if (is(entry.section, "paths")) {
            const auto dirKey = std::find_if(std::begin(kDirKeys), std::end(kDirKeys),
                                             [&](const SDirKey& k) { return is(entry.key, k.key); });
            if (dirKey == std::end(kDirKeys))
                throw unknownKey();
            m_dirs[static_cast<std::size_t>(dirKey->dir)] = WindowsDir(entry.value, source, entry.line, entry.key);
        } else if (is(entry.section, "drives")) {
            const std::filesystem::path hostFolder = HostPath(entry.value, folder, home, source, entry.line, entry.key);
            if (entry.key.size() != 1 || !m_drives.Map(entry.key[0], hostFolder))
                throw CJ3ConfigError(source, entry.line, "a drive is one letter A to Z, not \"" + entry.key + "\"");
        } else if (is(entry.section, "identity")) {
            const auto identityKey = std::find_if(std::begin(kIdentityKeys), std::end(kIdentityKeys),
                                                  [&](const SIdentityKey& k) { return is(entry.key, k.key); });
            if (identityKey == std::end(kIdentityKeys))
                throw unknownKey();
            if (const std::string fault = IdentityValueFault(entry.value, identityKey->kind); !fault.empty())
                throw CJ3ConfigError(source, entry.line, entry.key + " " + fault);
            m_identity.*identityKey->member = entry.value;
        } else {
            throw CJ3ConfigError(source, entry.line,
                                 "unknown section [" + entry.section +
                                     "] (known: database, host, paths, drives, identity, parameters)");
        }
    }
}

void CJ3MachineConfig::ApplyEnvironment(const EnvLookup& env, const std::filesystem::path& home)
{
    std::error_code ec;
    const std::filesystem::path workingDir = std::filesystem::current_path(ec);
    if (const auto value = NonEmpty(env, "J3_DB")) {
        m_databaseFile = CVKServerLocation::IsServerLocation(*value)
                             ? std::filesystem::path(*value)
                             : HostPath(*value, workingDir, home, kEnvironment, 0, "J3_DB");
        m_databaseOrigin = "eingestellt durch die Umgebungsvariable J3_DB";
    }
    if (const auto value = NonEmpty(env, "J3_PLUGIN_DIR"))
        m_pluginDir = HostPath(*value, workingDir, home, kEnvironment, 0, "J3_PLUGIN_DIR");
    for (const auto& identityKey : kIdentityKeys) {
        const auto value = NonEmpty(env, identityKey.variable);
        if (!value)
            continue;
        if (const std::string fault = IdentityValueFault(*value, identityKey.kind); !fault.empty())
            throw CJ3ConfigError(kEnvironment, 0, std::string(identityKey.variable) + " " + fault);
        m_identity.*identityKey.member = *value;
    }
}

std::optional<std::string> CJ3MachineConfig::MachineParameter(const std::string& name) const
{
    const auto found = std::find_if(m_parameters.begin(), m_parameters.end(),
                                    [&](const auto& entry) { return CJ3IniFile::NamesEqual(entry.first, name); });
    if (found == m_parameters.end())
        return std::nullopt;
    return found->second;
}

CJ3MachineConfig::EnvLookup CJ3MachineConfig::ProcessEnvironment()
{
    return [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
}

std::shared_ptr<const CJ3MachineConfig> CJ3MachineConfig::Current()
{
    std::lock_guard lock(s_currentMutex);
    if (!s_current) {
        try {
            s_current = std::make_shared<const CJ3MachineConfig>(Load(ProcessEnvironment()));
        } catch (const CJ3ConfigError& error) {
            // Reported on the next use: the first may come while the
            // libraries load, before a program could load the configuration
            // itself and stop on the fault (ReloadCurrent).
            s_pendingWarning = error.what();
            s_current = std::make_shared<const CJ3MachineConfig>(Defaults(ProcessEnvironment()));
        }
    } else if (!s_pendingWarning.empty()) {
        std::cerr << "j3params: " << CTerminalText::Message(s_pendingWarning) << "; the built-in defaults are used\n";
        s_pendingWarning.clear();
    }
    return s_current;
}

bool CJ3MachineConfig::ReloadCurrent(std::string& error)
{
    try {
        auto loaded = std::make_shared<const CJ3MachineConfig>(Load(ProcessEnvironment()));
        std::lock_guard lock(s_currentMutex);
        s_current = std::move(loaded);
        s_pendingWarning.clear();
        error.clear();
        return true;
    } catch (const CJ3ConfigError& failure) {
        error = failure.what();
        // The caller has the reason and decides; later users of Current()
        // get the defaults without a second, contradicting report.
        std::lock_guard lock(s_currentMutex);
        if (!s_current)
            s_current = std::make_shared<const CJ3MachineConfig>(Defaults(ProcessEnvironment()));
        s_pendingWarning.clear();
        return false;
    }
}
