#pragma once
#include "vkbasis/CString.h"
#include "vkdb/DBFileEntry.h"
#include "vkdb/DBFileEntryView.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

class CVKDatabase;

// The database file store: files with content, size and last write time,
// kept in the practice database under Windows-style paths (see CDBStorePath
// for the path rules).
//
// A directory exists only through the files below it. A file cannot be
// stored where a directory is, nor below a file. Every write replaces the
// whole file in one transaction: after a crash the old or the new content is
// there. Content is any bytes (a CString with length, NULs included).
// Last write times are seconds since 1970-01-01 UTC (the value of the
// framework's time class); a write stamps the current time.
// Failures return false and leave the reason on the connection.
class CDBFileStore {
public:
    explicit CDBFileStore(CVKDatabase& database);

    bool FileExists(const CString& path);
    bool RemoveFile(const CString& path);
    bool SaveFile(const CString& path, const CString& content);
    bool SaveFile(const CString& path, const CString& content, std::int64_t lastWriteTime);
    bool LoadFile(const CString& path, CString& content);

    // Entries of one directory matching the pattern's last element ("*" and
    // "?"; see CDBWildcard): files directly inside, and each subdirectory
    // once, as a directory entry, in the order of their keys. Costs in
    // proportion to the direct entries: one index seek per subdirectory,
    // never a read of what lies below it. maxEntries stops early.
    std::vector<SDBFileEntry> Find(const CString& pattern,
                                   std::size_t maxEntries = std::numeric_limits<std::size_t>::max());
    // The same search without a copy per entry: the visitor sees each entry
    // in turn and returns false to stop. False when the search failed.
    bool Visit(const CString& pattern, const std::function<bool(const SDBFileEntryView&)>& visitor);
    // Every entry of the directory in the order a file list shows it at
    // first: subdirectories, then files, each group by name byte by byte as
    // spelt. Read in batches from two indexes in that order, so the first
    // entries come at once however large the directory is.
    bool VisitInDisplayOrder(const CString& dir, const std::function<bool(const SDBFileEntryView&)>& visitor);
    // Fills in the name columns and the subdirectory records of files
    // stored before the store kept them (the schema step that adds them).
    bool RecordNamesOfAllFiles();

    CVKDatabase& Database() const { return m_database; }

private:
    bool IsDirectory(const std::string& key);
    bool HasFileAbove(const std::string& key);
    // Records the directories above a stored file that are not recorded yet.
    bool RecordSubdirectories(std::string_view normalizedFile);
    // Drops the records of the directories above a removed file that hold
    // nothing any more.
    bool ForgetEmptySubdirectories(std::string_view normalizedFile);
    // One group of VisitInDisplayOrder; `stopped` tells that the visitor
    // ended it.
    bool VisitNameRange(bool directories, const std::string& prefix, bool& stopped,
                        const std::function<bool(const SDBFileEntryView&)>& visitor);

    CVKDatabase& m_database;
};
