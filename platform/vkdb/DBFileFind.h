#pragma once
#include "vkdb/DBFileEntry.h"
#include "vkdb/VKDatabase.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A search in the database file store, in the framework's file-finder form.
// FindFile reads the whole listing at once (see CDBFileStore::Find), so the
// search holds no statement or lock while the caller steps through it. The
// listing is kept compact (all paths in one text), since a directory may
// hold 100,000 files; the per-entry texts are made when asked for. The
// buffers of a finished search are kept (one set per thread) and reused by
// the next, so that moving from directory to directory allocates nothing
// new; they hold the largest listing seen until the thread ends.
//
//   CDBFileFind finder;
//   for (int more = finder.FindFile(pattern, 0); more;) {
//       more = finder.FindNextFileA();   // 0: this entry is the last
//       ... finder.GetFilePath(), IsDirectory(), GetLength() ...
//   }
class CDBFileFind {
public:
    explicit CDBFileFind(CVKDatabase* database = &dbDatabase);
    ~CDBFileFind();
    CDBFileFind(const CDBFileFind&) = delete;
    CDBFileFind& operator=(const CDBFileFind&) = delete;

    // Nonzero when anything matches; flags are unused (0). A null pattern
    // matches nothing.
    int FindFile(const char* pattern, unsigned flags = 0);
    // Moves to the next entry; 0 when the entry moved to is the last one
    // (or there is none).
    int FindNextFileA();
    void Close();

    CString GetFilePath() const;
    CString GetFileName() const;
    bool IsDirectory() const;
    std::uint64_t GetLength() const;
    // Any time type constructible from seconds since 1970 UTC (the
    // framework's CTime, std::time_t). False before the first step.
    template <class TTime> bool GetLastWriteTime(TTime& time) const
    {
        const SItem* item = Current();
        if (!item)
            return false;
        time = TTime(item->lastWriteTime);
        return true;
    }

    // The first match of pattern on the read-write connection, copied into
    // findData (when not null); the invalid-handle value (all bits set) when
    // nothing matches. The handle carries no resources: there is nothing to
    // close, and callers that never close it leak nothing.
    static void* FindFirstFileA(const char* pattern, SDBFileEntry* findData);
    static void* InvalidHandleValue();

private:
    struct SItem {
        std::size_t pathOffset;
        std::size_t pathLength;
        std::uint64_t length;
        std::int64_t lastWriteTime;
        bool isDirectory;
    };
    struct SListing {
        std::string paths;
        std::vector<SItem> items;
    };
    const SItem* Current() const;
    static SListing& SpareListing();

    CVKDatabase* m_database;
    SListing m_listing;
    std::size_t m_next = 0; // entries stepped onto so far; current is m_next - 1
};
