#pragma once
#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <future>
#include <string>

#include "J3Dialoge/DBDirectoryEntries.h"
#include "J3Dialoge/DBEntrySorter.h"
#include "J3Dialoge/DBFilePathModel.h"
#include "J3Dialoge/DBFileTypeFilter.h"

class CVKDatabase;

// Reads what the file dialog shows of its current directory from the
// database file store: at the display root the allowed roots that hold
// anything (as directories, time 0, size 0); elsewhere the store's entries,
// subdirectories only when the model allows going down, files only when they
// pass the filter, never the placeholder file (whose name is matched without
// regard to case, as the store matches names).
//
// Only plain direct children of the current directory are taken: an entry
// named "." or "..", or one that the store reports under another directory,
// is left out, so a damaged or foreign store cannot lead the dialog out of
// its allowed roots.
//
// The store gives a directory's entries in the default display order
// (subdirectories, then files, by name). In that order the constructor reads
// the first kFirstScreenRows entries, or all of them when they are no more:
// the first screen, at once, whatever the directory's size. In another order
// it reads what it can within `patience` (40 ms: about 100,000 entries on an
// idle machine). A listing not complete then is read again, whole, once
// ReadRest() is called (the dialog calls it after the first screen is shown,
// so that the read does not compete with painting it), on a thread of its
// own over a read-only connection of its own, so that the window keeps
// answering, and sorted there too; IsRead() tells when it is done. The
// object keeps copies of the model, the filter text and the sort state, so
// the dialog may change its own meanwhile. A listing no longer wanted is
// cancelled: the thread looks at the request between entries (and now and
// then while it sorts) and ends without a result, so destroying the object
// waits only for that.
class CDBDirectoryListing {
public:
    static constexpr std::chrono::milliseconds kPatience{40};
    static constexpr std::size_t kFirstScreenRows = 100;

    CDBDirectoryListing(const CDBFilePathModel& model, const char* filterText, const CDBEntrySorter& sorter,
                        std::chrono::milliseconds patience = kPatience);
    ~CDBDirectoryListing();
    CDBDirectoryListing(const CDBDirectoryListing&) = delete;
    CDBDirectoryListing& operator=(const CDBDirectoryListing&) = delete;

    bool IsRead() const;
    // Starts reading the whole listing when the first read was not all;
    // once only.
    void ReadRest();
    // While the rest is read: the entries read first, in display order, when
    // `sorter` shows the store's order; nothing otherwise. Taken once.
    void TakeFirstScreen(const CDBEntrySorter& sorter, CDBDirectoryEntries& entries, CDBEntrySorter::RowOrder& order);
    // Asks the thread to stop; the listing then stays empty.
    void Cancel();
    // The entries, once read (waiting for the rest when it is still read),
    // and their display order under `sorter`'s state (sorted anew only when
    // it changed since the listing began); the listing is empty afterwards.
    void TakeListing(const CDBEntrySorter& sorter, CDBDirectoryEntries& entries, CDBEntrySorter::RowOrder& order);

    // The whole listing, read at once.
    static CDBDirectoryEntries FillElementsToDisplay(const CDBFilePathModel& model, const CDBFileTypeFilter& filter);

private:
    // False when the reading was given up at the deadline, at maxEntries or
    // because `cancelled` was set (the entries read so far are then
    // incomplete).
    static bool ReadStoreDirectory(CVKDatabase& database, const CDBFilePathModel& model,
                                   const CDBFileTypeFilter& filter, std::chrono::steady_clock::time_point deadline,
                                   std::size_t maxEntries, const std::atomic<bool>& cancelled,
                                   CDBDirectoryEntries& entries);
    static bool IsStoreOrder(const CDBEntrySorter& sorter);
    static CDBDirectoryEntries ListAllowedRoots(const CDBFilePathModel& model);
    struct SSortedEntries {
        CDBDirectoryEntries entries;
        CDBEntrySorter::RowOrder order;
    };
    SSortedEntries ReadInBackground() const;

    const CDBFilePathModel m_model;
    const std::string m_filterText;
    const char* const m_filterTextPointer;
    const CDBFileTypeFilter m_filter;
    // Empty for a database that a second connection cannot open.
    const std::filesystem::path m_databaseFile;
    const CDBEntrySorter m_sorter;
    SSortedEntries m_listing;
    bool m_sorted = false;
    // The first read was not all: the rest is read, or waits for ReadRest().
    bool m_restWanted = false;
    std::atomic<bool> m_cancelled{false};
    std::future<SSortedEntries> m_background;
};
