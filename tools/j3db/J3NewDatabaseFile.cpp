#include "j3db/J3NewDatabaseFile.h"

#include "dbdll/PracticeFileMode.h"

#include <fcntl.h>
#include <signal.h> // NOLINT(modernize-deprecated-headers): kill is POSIX, <csignal> lacks it
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

CJ3NewDatabaseFile::~CJ3NewDatabaseFile()
{
    std::error_code ignored;
    if (!m_scratch.empty())
        std::filesystem::remove_all(m_scratch, ignored);
}

CJ3DbResult CJ3NewDatabaseFile::Prepare()
{
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    if (ec)
        return CJ3DbResult::Failed("Der Ordner " + m_file.parent_path().string() +
                                   " kann nicht angelegt werden: " + ec.message());
    if (std::filesystem::exists(std::filesystem::symlink_status(m_file, ec)))
        return CJ3DbResult::Failed("Die Datei " + m_file.string() +
                                   " existiert bereits; sie wird nicht überschrieben.");
    RemoveStaleScratch();
    std::string name = (m_file.parent_path() / (ScratchPrefix() + std::to_string(getpid()) + "-XXXXXX")).string();
    if (!mkdtemp(name.data()))
        return CJ3DbResult::Failed("Im Ordner " + m_file.parent_path().string() +
                                   " kann nichts angelegt werden: " + std::strerror(errno));
    m_scratch = name;
    return CJ3DbResult::Done();
}

CJ3DbResult CJ3NewDatabaseFile::Publish() const
{
    if (const std::string refused = CPracticeFileMode::Restrict(Building()); !refused.empty())
        return CJ3DbResult::Failed(refused);
    if (renameat2(AT_FDCWD, Building().c_str(), AT_FDCWD, m_file.c_str(), RENAME_NOREPLACE) == 0)
        return CJ3DbResult::Done();
    return CJ3DbResult::Failed("Die Datei " + m_file.string() + " kann nicht angelegt werden: " +
                               (errno == EEXIST ? std::string("sie existiert inzwischen") : std::strerror(errno)));
}

std::string CJ3NewDatabaseFile::ScratchPrefix() const
{
    return "." + m_file.filename().string() + ".neu-";
}

void CJ3NewDatabaseFile::RemoveStaleScratch() const
{
    const std::string prefix = ScratchPrefix();
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(m_file.parent_path(), ec)) {
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
