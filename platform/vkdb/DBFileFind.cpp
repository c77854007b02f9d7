#include "vkdb/DBFileFind.h"

#include "vkdb/DBFileStore.h"
#include "vkdb/DBStorePath.h"

#include <cstdint>

CDBFileFind::CDBFileFind(CVKDatabase* database) : m_database(database)
{
}

int CDBFileFind::FindFile(const char* pattern, unsigned /*flags*/)
{
    Close();
    if (pattern)
        m_entries = CDBFileStore(*m_database).Find(pattern);
    return m_entries.empty() ? 0 : 1;
}

int CDBFileFind::FindNextFileA()
{
    if (m_next < m_entries.size())
        ++m_next;
    return m_next < m_entries.size() ? 1 : 0;
}

void CDBFileFind::Close()
{
    m_entries.clear();
    m_next = 0;
}

const SDBFileEntry* CDBFileFind::Current() const
{
    return m_next == 0 ? nullptr : &m_entries[m_next - 1];
}

CString CDBFileFind::GetFilePath() const
{
    const SDBFileEntry* entry = Current();
    return entry ? entry->path : CString();
}

CString CDBFileFind::GetFileName() const
{
    const CString path = GetFilePath();
    return path.Mid(path.ReverseFind(CDBStorePath::Separator) + 1);
}

bool CDBFileFind::IsDirectory() const
{
    const SDBFileEntry* entry = Current();
    return entry && entry->isDirectory;
}

std::uint64_t CDBFileFind::GetLength() const
{
    const SDBFileEntry* entry = Current();
    return entry ? entry->length : 0;
}

void* CDBFileFind::InvalidHandleValue()
{
    return reinterpret_cast<void*>(~std::uintptr_t{0});
}

void* CDBFileFind::FindFirstFileA(const char* pattern, SDBFileEntry* findData)
{
    if (!pattern)
        return InvalidHandleValue();
    std::vector<SDBFileEntry> first = CDBFileStore(dbDatabase).Find(pattern, 1);
    if (first.empty())
        return InvalidHandleValue();
    if (findData)
        *findData = first.front();
    // A token, not an allocation: there is nothing behind it to release.
    return reinterpret_cast<void*>(std::uintptr_t{1});
}
