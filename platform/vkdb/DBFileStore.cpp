#include "vkdb/DBFileStore.h"

#include "vkdb/DBStorePath.h"
#include "vkdb/DBWildcard.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"
#include "winpath/AnsiLiteral.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <string>
#include <utility>

namespace {

// The listing reads the covering index only, where the file has it. The
// bounded form serves every search but the one over the whole store. Rows
// come in batches, so that a server sends little beyond the next seek: small
// after a seek, growing while only files follow.
std::string ListingSql(bool bounded, bool hinted)
{
    return std::string("SELECT pathkey, path, mtime, size FROM files ") + (hinted ? "INDEXED BY files_listing " : "") +
           "WHERE pathkey >= ?1 " + (bounded ? "AND pathkey < ?3 " : "") + "ORDER BY pathkey LIMIT ?2";
}
constexpr std::int64_t FirstBatchRows = 16;
// A server's batch is held whole by the client. Beyond about a thousand rows
// (some 140 KB) the C library hands that memory back to the system after each
// batch and faults it in again for the next, which cost four times the
// listing's own work; smaller batches cost more round trips than they save.
constexpr std::int64_t MaxBatchRows = 1024;
// One group of a directory's entries by name, a batch from ?1 on. A server
// sends an entry's path only where it is spelt otherwise than the directory
// asked for (?4) and the name: mostly it is not, and the path would be a
// third of each row's bytes. A file's path is read in place.
std::string ByNameSql(bool directories, bool onServer)
{
    const std::string path =
        onServer ? "CASE WHEN substr(path, 1, length(path) - length(name)) = ?4 THEN NULL ELSE path END" : "path";
    return directories ? "SELECT name, " + path +
                             " FROM subdirs INDEXED BY subdirs_names "
                             "WHERE parentkey = ?3 AND name >= ?1 ORDER BY name LIMIT ?2"
                       : "SELECT name, " + path +
                             ", mtime, size FROM files INDEXED BY files_names "
                             "WHERE dirkey = ?3 AND name >= ?1 ORDER BY name LIMIT ?2";
}

// Where the name of a path starts: after its last separator.
std::size_t NameStart(std::string_view path)
{
    return path.rfind(CDBStorePath::Separator) + 1; // npos + 1 == 0
}

// Calls step(parent with its separator, name, directory) for each directory
// above the file, the innermost first, while step answers true.
template <typename Step> void ForEachDirectoryAbove(std::string_view file, Step step)
{
    for (std::string_view dir = file.substr(0, NameStart(file)); dir.size() > 1;) {
        dir.remove_suffix(1);
        const std::size_t nameStart = NameStart(dir);
        // The empty names of a network path's "\\" hold no directory.
        if (nameStart < dir.size() && !step(dir.substr(0, nameStart), dir.substr(nameStart), dir))
            return;
        dir = dir.substr(0, nameStart);
    }
}

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
    CVKTransaction transaction(m_database);
    if (!transaction.IsActive())
        return false;
    CVKQuery query(m_database, "DELETE FROM files WHERE pathkey = ?1 RETURNING id");
    query.Bind(1, CDBStorePath::Key(normalized));
    if (query.Next())
        return query.Run() && ForgetEmptySubdirectories(normalized) && transaction.Commit();
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
        return m_database.Fail("Ungültiger Dateipfad \""_ansi + path + "\": " + fault + ".");
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
    CVKQuery query(m_database, "INSERT INTO files(pathkey, path, mtime, size, content, dirkey, name) "
                               "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7) "
                               "ON CONFLICT(pathkey) DO UPDATE SET mtime = excluded.mtime, size = excluded.size, "
                               "content = excluded.content");
    query.Bind(1, key).Bind(2, normalized).Bind(3, lastWriteTime);
    query.Bind(4, static_cast<std::int64_t>(content.GetLength())).Bind(5, content);
    const std::size_t nameStart = NameStart(normalized);
    query.Bind(6, std::string_view(key).substr(0, nameStart)).Bind(7, std::string_view(normalized).substr(nameStart));
    return query.Run() && RecordSubdirectories(normalized) && transaction.Commit();
}

bool CDBFileStore::RecordSubdirectories(std::string_view normalizedFile)
{
    CVKQuery insert(m_database, "INSERT INTO subdirs(parentkey, namekey, name, path) VALUES(?1, ?2, ?3, ?4) "
                                "ON CONFLICT DO NOTHING RETURNING 1");
    // A directory already recorded has its parents recorded too.
    ForEachDirectoryAbove(normalizedFile, [&](std::string_view parent, std::string_view name, std::string_view dir) {
        insert.Reset();
        insert.Bind(1, CDBStorePath::Key(parent)).Bind(2, CDBStorePath::Key(name)).Bind(3, name).Bind(4, dir);
        return insert.Next();
    });
    return !insert.Failed();
}

bool CDBFileStore::ForgetEmptySubdirectories(std::string_view normalizedFile)
{
    CVKQuery remove(m_database, "DELETE FROM subdirs WHERE parentkey = ?1 AND namekey = ?2");
    bool removed = true;
    ForEachDirectoryAbove(normalizedFile, [&](std::string_view parent, std::string_view name, std::string_view dir) {
        if (IsDirectory(CDBStorePath::Key(dir)))
            return false;
        remove.Reset();
        remove.Bind(1, CDBStorePath::Key(parent)).Bind(2, CDBStorePath::Key(name));
        removed = remove.Run();
        return removed;
    });
    return removed;
}

bool CDBFileStore::RecordNamesOfAllFiles()
{
    std::vector<std::pair<std::int64_t, std::string>> files;
    CVKQuery all(m_database, "SELECT id, path FROM files");
    while (all.Next())
        files.emplace_back(all.ColumnInt64(0), std::string(all.ColumnBytes(1)));
    if (all.Failed())
        return false;
    CVKQuery update(m_database, "UPDATE files SET dirkey = ?1, name = ?2 WHERE id = ?3");
    for (const auto& [id, path] : files) {
        const std::size_t nameStart = NameStart(path);
        update.Reset();
        update.Bind(1, CDBStorePath::Key(std::string_view(path).substr(0, nameStart)));
        update.Bind(2, std::string_view(path).substr(nameStart)).Bind(3, id);
        if (!update.Run() || !RecordSubdirectories(path))
            return false;
    }
    return true;
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
    const std::size_t nameStart = normalized.rfind(CDBStorePath::Separator) + 1; // npos + 1 == 0
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

bool CDBFileStore::VisitInDisplayOrder(const CString& dir, const std::function<bool(const SDBFileEntryView&)>& visitor)
{
    std::string prefix = CDBStorePath::Normalize(dir.str());
    if (prefix.empty() || prefix.back() != CDBStorePath::Separator)
        prefix += CDBStorePath::Separator;
    bool stopped = false;
    return VisitNameRange(true, prefix, stopped, visitor) &&
           (stopped || VisitNameRange(false, prefix, stopped, visitor));
}

bool CDBFileStore::VisitNameRange(bool directories, const std::string& prefix, bool& stopped,
                                  const std::function<bool(const SDBFileEntryView&)>& visitor)
{
    CVKQuery query(m_database, ByNameSql(directories, m_database.IsOnServer()));
    query.Bind(3, CDBStorePath::Key(prefix));
    if (m_database.IsOnServer())
        query.Bind(4, prefix);
    std::string path;
    std::string from;
    std::int64_t batchLimit = 0;
    std::int64_t batchRows = 0;
    const auto seek = [&](std::int64_t limit) {
        batchLimit = limit;
        batchRows = 0;
        query.Reset();
        query.Bind(1, from).Bind(2, batchLimit);
    };
    query.ReadAhead(1, 0, 2, MaxBatchRows);
    seek(FirstBatchRows);
    for (;;) {
        if (!query.Next()) {
            if (query.Failed() || batchRows < batchLimit)
                return !query.Failed();
            // A full batch: the next one starts right after its last name.
            seek(std::min(batchLimit * 2, MaxBatchRows));
            continue;
        }
        if (++batchRows == batchLimit)
            from = std::string(query.ColumnBytes(0)) + '\0';
        SDBFileEntryView entry;
        entry.path = query.ColumnBytes(1);
        // A path is never empty: none sent is the directory asked for and the name.
        if (entry.path.empty())
            entry.path = path.assign(prefix).append(query.ColumnBytes(0));
        entry.isDirectory = directories;
        if (!directories) {
            entry.lastWriteTime = query.ColumnInt64(2);
            entry.length = static_cast<std::uint64_t>(query.ColumnInt64(3));
        }
        if (!visitor(entry)) {
            stopped = true;
            return true;
        }
    }
}
