#include "vkdb/DBFileFind.h"

#include "vkdb/DBFileStore.h"
#include "vkdb/DBStorePath.h"

#include <cstdint>
#include <utility>

CDBFileFind::CDBFileFind(CVKDatabase* database) : m_database(database)
{
}

CDBFileFind::~CDBFileFind()
{
    SListing& spare = SpareListing();
    if (m_listing.items.capacity() > spare.items.capacity())
        spare = std::move(m_listing);
}

CDBFileFind::SListing& CDBFileFind::SpareListing()
{
    thread_local SListing spare;
    return spare;
}

int CDBFileFind::FindFile(const char* pattern, unsigned /*flags*/)
{
    Close();
    if (!pattern)
        return 0;
    SListing& spare = SpareListing();
    if (spare.items.capacity() > m_listing.items.capacity()) {
        std::swap(m_listing, spare);
        Close();
    }
    const bool complete = CDBFileStore(*m_database).Visit(pattern, [this](const SDBFileEntryView& entry) {
        m_listing.items.push_back(
            {m_listing.paths.size(), entry.path.size(), entry.length, entry.lastWriteTime, entry.isDirectory});
        m_listing.paths += entry.path;
        return true;
    });
    if (!complete)
        Close();
    return m_listing.items.empty() ? 0 : 1;
}

int CDBFileFind::FindNextFileA()
{
    if (m_next < m_listing.items.size())
        ++m_next;
    return m_next < m_listing.items.size() ? 1 : 0;
}

void CDBFileFind::Close()
{
    m_listing.items.clear();
    m_listing.paths.clear();
    m_next = 0;
}

const CDBFileFind::SItem* CDBFileFind::Current() const
{
    return m_next == 0 ? nullptr : &m_listing.items[m_next - 1];
}

CString CDBFileFind::GetFilePath() const
{
    const SItem* item = Current();
    return item ? CString(std::string_view(m_listing.paths).substr(item->pathOffset, item->pathLength)) : CString();
}

CString CDBFileFind::GetFileName() const
{
    const CString path = GetFilePath();
    return path.Mid(path.ReverseFind(CDBStorePath::Separator) + 1);
}

bool CDBFileFind::IsDirectory() const
{
    const SItem* item = Current();
    return item && item->isDirectory;
}

std::uint64_t CDBFileFind::GetLength() const
{
    const SItem* item = Current();
    return item ? item->length : 0;
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
