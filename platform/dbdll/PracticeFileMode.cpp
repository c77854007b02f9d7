#include "dbdll/PracticeFileMode.h"

#include "j3params/J3MachineConfig.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// The file's name for a shell command line, in single quotes.
std::string Quoted(const std::string& name)
{
    std::string quoted = "'";
    for (const char c : name)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string CPracticeFileMode::Restrict(const std::filesystem::path& file)
{
    const std::string& group = CJ3MachineConfig::Current()->PracticeGroup();
    if (group.empty())
        return ::chmod(file.c_str(), 0600) == 0
                   ? ""
                   : "Die Rechte von " + file.string() + " können nicht gesetzt werden: " + std::strerror(errno);
    const struct group* entry = ::getgrnam(group.c_str());
    if (entry == nullptr)
        return "Die Praxisgruppe \"" + group + "\" ([database] group) gibt es auf diesem Rechner nicht.";
    if (::chown(file.c_str(), static_cast<uid_t>(-1), entry->gr_gid) != 0 || ::chmod(file.c_str(), 0660) != 0)
        return "Die Datei " + file.string() + " kann der Praxisgruppe \"" + group +
               "\" nicht gegeben werden: " + std::strerror(errno);
    return {};
}

std::string CPracticeFileMode::OpenToOthers(const std::filesystem::path& file)
{
    std::string open;
    for (const char* side : {"", "-wal", "-shm"}) {
        const std::string name = file.string() + side;
        struct stat status {};
        if (::stat(name.c_str(), &status) == 0 && (status.st_mode & S_IRWXO) != 0)
            open += " " + Quoted(name);
    }
    if (open.empty())
        return {};
    return "Warnung: Die Praxisdatenbank " + file.string() +
           " können alle Benutzer dieses Rechners lesen. Abhilfe: chmod o-rwx" + open;
}
