#include "vkdb/DBFileStore.h"

#include "vkdb/DBStorePath.h"
#include "vkdb/DBWildcard.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <string>
#include <utility>

namespace {

// The listing reads the covering index only, where the file has it. The
// bounded form serves every search but the one over the whole store. Rows
// come in batches, so that a server sends little beyond the next seek: small
// after a seek, growing while only files follow.
std::string ListingSql(bool bounded, bool hinted)
{
    return std::string("SELECT pathkey, path, mtime, size FROM files ") +
           (hinted ? "INDEXED BY files_listing " : "") + "WHERE pathkey >= ?1 " +
           (bounded ? "AND pathkey < ?3 " : "") + "ORDER BY pathkey LIMIT ?2";
}
constexpr std::int64_t FirstBatchRows = 16;
constexpr std::int64_t MaxBatchRows = 8192;

} // namespace

CDBFileStore::CDBFileStore(CVKDatabase& database) : m_database(database)
{
}

bool CDBFileStore::FileExists(const CString& path)
{
    const std::string normalized = CDBStorePath::Normalize(path.str());
    if (!CDBStorePath::IsValidFilePath(normalized))
        return false;
    CVKQuery query(m_database, "SELECT 1 FROM files WHERE pathkey = ?1");
    query.Bind(1, CDBStorePath::Key(normalized));
    return query.Next();
}

bool CDBFileStore::RemoveFile(const CString& path)
{
    const std::string normalized = CDBStorePath::Normalize(path.str());
    CVKQuery query(m_database, "DELETE FROM files WHERE pathkey = ?1 RETURNING id");
    query.Bind(1, CDBStorePath::Key(normalized));
    if (query.Next())
        return query.Run();
    return !query.Failed() && m_database.Fail("Die Datei " + path + " existiert nicht in der Datenbank.");
}

bool CDBFileStore::SaveFile(const CString& path, const CString& content)
{
    return SaveFile(path, content, static_cast<std::int64_t>(std::time(nullptr)));
}

bool CDBFileStore::SaveFile(const CString& path, const CString& content, std::int64_t lastWriteTime)
{
    const std::string normalized = CDBStorePath::Normalize(path.str());
    if (const std::string fault = CDBStorePath::NewFileFault(normalized); !fault.empty())
        return m_database.Fail("Ung\xFCltiger Dateipfad \"" + path + "\": " + fault + ".");
    const std::string key = CDBStorePath::Key(normalized);
    CVKTransaction transaction(m_database);
    if (!transaction.IsActive())
        return false;
    if (IsDirectory(key))
        return m_database.Fail("Unter " + path + " gibt es schon ein Verzeichnis.");
    if (HasFileAbove(key))
        return m_database.Fail("Der Pfad " + path + " liegt unter einer Datei.");
    // A file stored again keeps the spelling it was first stored with, as
    // the Windows file system does.
    CVKQuery query(m_database,
                   "INSERT INTO files(pathkey, path, mtime, size, content) VALUES(?1, ?2, ?3, ?4, ?5) "
                   "ON CONFLICT(pathkey) DO UPDATE SET mtime = excluded.mtime, size = excluded.size, "
                   "content = excluded.content");
    query.Bind(1, key).Bind(2, normalized).Bind(3, lastWriteTime);
    query.Bind(4, static_cast<std::int64_t>(content.GetLength())).Bind(5, content);
    return query.Run() && transaction.Commit();
}

bool CDBFileStore::LoadFile(const CString& path, CString& content)
{
    const std::string normalized = CDBStorePath::Normalize(path.str());
    CVKQuery query(m_database, "SELECT content FROM files WHERE pathkey = ?1");
    query.Bind(1, CDBStorePath::Key(normalized));
    if (!query.Next())
        return !query.Failed() && m_database.Fail("Die Datei " + path + " existiert nicht in der Datenbank.");
    content = query.ColumnText(0);
    return true;
}

bool CDBFileStore::IsDirectory(const std::string& key)
{
    CVKQuery query(m_database, "SELECT 1 FROM files WHERE pathkey >= ?1 AND pathkey < ?2");
    query.Bind(1, key + CDBStorePath::Separator).Bind(2, key + ']');
    return query.Next();
}

bool CDBFileStore::HasFileAbove(const std::string& key)
{
    CVKQuery query(m_database, "SELECT 1 FROM files WHERE pathkey = ?1");
    for (std::size_t end = key.find(CDBStorePath::Separator, 1); end != std::string::npos;
         end = key.find(CDBStorePath::Separator, end + 1)) {
        query.Bind(1, std::string_view(key).substr(0, end));
        if (query.Next())
            return true;
        query.Reset();
    }
    return false;
}

std::vector<SDBFileEntry> CDBFileStore::Find(const CString& pattern, std::size_t maxEntries)
{
    std::vector<SDBFileEntry> entries;
    if (maxEntries == 0)
        return entries;
    const bool complete = Visit(pattern, [&](const SDBFileEntryView& view) {
        entries.push_back({CString(view.path), view.isDirectory, view.length, view.lastWriteTime});
        return entries.size() < maxEntries;
    });
    if (!complete)
        entries.clear();
    return entries;
}

bool CDBFileStore::Visit(const CString& pattern, const std::function<bool(const SDBFileEntryView&)>& visitor)
{
    const std::string normalized = CDBStorePath::Normalize(pattern.str());
    const std::size_t nameStart = normalized.rfind(CDBStorePath::Separator) + 1;  // npos + 1 == 0
    const std::string dirKey = CDBStorePath::Key(std::string_view(normalized).substr(0, nameStart));
    const CDBWildcard wildcard(CDBStorePath::Key(std::string_view(normalized).substr(nameStart)));
    if (nameStart == normalized.size() || normalized.find('\0') != std::string::npos)
        return true;

    std::string from = dirKey + std::string(wildcard.LiteralPrefix());
    const std::string to = CDBStorePath::PrefixEnd(from);
    CVKQuery query(m_database, ListingSql(!to.empty(), m_database.HasIndex("files_listing")));
    if (!to.empty())
        query.Bind(3, to);
    std::int64_t batchLimit = FirstBatchRows;
    std::int64_t batchRows = 0;
    const auto seek = [&](std::string key, std::int64_t limit) {
        from = std::move(key);
        batchLimit = limit;
        batchRows = 0;
        query.Reset();
        query.Bind(1, from).Bind(2, batchLimit);
    };
    query.ReadAhead(1, 0, 2, MaxBatchRows);
    seek(from, FirstBatchRows);
    for (;;) {
        if (!query.Next()) {
            if (query.Failed() || batchRows < batchLimit)
                break;
            // A full batch: the next one starts right after its last key.
            seek(from, std::min(batchLimit * 2, MaxBatchRows));
            continue;
        }
        if (++batchRows == batchLimit)
            from = std::string(query.ColumnBytes(0)) + '\0';
        const std::string_view name = query.ColumnBytes(0).substr(dirKey.size());
        const std::size_t separator = name.find(CDBStorePath::Separator);
        SDBFileEntryView entry;
        entry.isDirectory = separator != std::string_view::npos;
        const std::string_view entryName = name.substr(0, separator);
        if (wildcard.Matches(entryName)) {
            entry.path = query.ColumnBytes(1).substr(0, dirKey.size() + entryName.size());
            if (!entry.isDirectory) {
                entry.lastWriteTime = query.ColumnInt64(2);
                entry.length = static_cast<std::uint64_t>(query.ColumnInt64(3));
            }
            if (!visitor(entry))
                return true;
        }
        if (entry.isDirectory) {
            // Everything below the subdirectory sorts before its name + ']'
            // (']' follows '\' and has no case partner): one seek skips it.
            seek(dirKey + std::string(entryName) + ']', FirstBatchRows);
        }
    }
    return !query.Failed();
}
