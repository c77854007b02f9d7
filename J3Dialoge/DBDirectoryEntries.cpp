#include "J3Dialoge/DBDirectoryEntries.h"

void CDBDirectoryEntries::clear()
{
    m_entries.clear();
    m_names.clear();
    m_directories.clear();
}

void CDBDirectoryEntries::Add(std::string_view fullPath, const SFileAttributes& attributes)
{
    const std::size_t separator = fullPath.find_last_of('\\');
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const std::string_view directory = fullPath.substr(0, nameStart);
    if (m_directories.empty() || m_directories.back() != directory)
        m_directories.emplace_back(directory);
    const std::string_view name = fullPath.substr(nameStart);
    m_entries.push_back({static_cast<std::uint32_t>(m_names.size()), static_cast<std::uint32_t>(name.size()),
                         static_cast<std::uint32_t>(m_directories.size() - 1), attributes});
    m_names += name;
}

std::string_view CDBDirectoryEntries::Name(std::size_t entry) const
{
    const SEntry& e = m_entries[entry];
    return std::string_view(m_names).substr(e.nameOffset, e.nameLength);
}

winpath::path CDBDirectoryEntries::Path(std::size_t entry) const
{
    return winpath::path(m_directories[m_entries[entry].directory] + std::string(Name(entry)));
}
