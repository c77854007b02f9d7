#include "J3Dialoge/DBDirectoryListing.h"

#include <chrono>
#include <limits>
#include <numeric>
#include <string_view>

#include "vkdb/DBFileStore.h"
#include "vkdb/DBStorePath.h"
#include "vkdb/VKDatabase.h"

namespace {

constexpr std::size_t kEntriesBetweenClockReads = 256;

// The store's text of a directory followed by its separator, folded as the
// store compares paths.
std::string ChildPrefixKey(const winpath::path& dir)
{
    std::string prefix = CDBStorePath::Normalize(dir.string());
    if (prefix.empty() || prefix.back() != CDBStorePath::Separator)
        prefix += CDBStorePath::Separator;
    return CDBStorePath::Key(prefix);
}

// The name of `entryPath` when it is a plain entry directly below the
// directory whose prefix key is given; empty otherwise.
std::string_view DirectChildName(std::string_view entryPath, std::string_view prefixKey)
{
    if (entryPath.size() <= prefixKey.size() || CDBStorePath::Key(entryPath.substr(0, prefixKey.size())) != prefixKey)
        return {};
    const std::string_view name = entryPath.substr(prefixKey.size());
    if (name == "." || name == ".." || name.find_first_of("\\/") != std::string_view::npos)
        return {};
    return name;
}

bool IsPlaceholder(std::string_view name, std::string_view placeholderKey)
{
    return name.size() == placeholderKey.size() && CDBStorePath::Key(name) == placeholderKey;
}

} // namespace

CDBDirectoryListing::CDBDirectoryListing(const CDBFilePathModel& model, const char* filterText,
                                         const CDBEntrySorter& sorter, std::chrono::milliseconds patience)
    : m_model(model), m_filterText(filterText ? filterText : ""), m_filterTextPointer(m_filterText.c_str()),
      m_filter(&m_filterTextPointer), m_databaseFile(dbDatabase.GetFile()), m_sorter(sorter)
{
    if (m_model.CurrentDir().empty()) {
        m_listing.entries = ListAllowedRoots(m_model);
        return;
    }
    const bool firstScreen = IsStoreOrder(sorter);
    if (ReadStoreDirectory(dbDatabase, m_model, m_filter, std::chrono::steady_clock::now() + patience,
                           firstScreen ? kFirstScreenRows : std::numeric_limits<std::size_t>::max(), m_cancelled,
                           m_listing.entries) ||
        m_databaseFile.empty())
        return;
    if (!firstScreen)
        m_listing.entries.clear();
    m_restWanted = true;
}

CDBDirectoryListing::~CDBDirectoryListing()
{
    Cancel();
}

void CDBDirectoryListing::Cancel()
{
    m_cancelled = true;
}

bool CDBDirectoryListing::IsRead() const
{
    return !m_restWanted ||
           (m_background.valid() && m_background.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
}

void CDBDirectoryListing::ReadRest()
{
    if (m_restWanted && !m_background.valid())
        m_background = std::async(std::launch::async, [this] { return ReadInBackground(); });
}

bool CDBDirectoryListing::IsStoreOrder(const CDBEntrySorter& sorter)
{
    return sorter.SortCriteria() == CDBEntrySorter::SORT_BY_NAME && sorter.SortAscending();
}

void CDBDirectoryListing::TakeFirstScreen(const CDBEntrySorter& sorter, CDBDirectoryEntries& entries,
                                          CDBEntrySorter::RowOrder& order)
{
    entries.clear();
    order.clear();
    if (!m_restWanted || !IsStoreOrder(sorter))
        return;
    entries = std::move(m_listing.entries);
    m_listing.entries.clear();
    order.resize(entries.size());
    std::iota(order.begin(), order.end(), 0U);
}

void CDBDirectoryListing::TakeListing(const CDBEntrySorter& sorter, CDBDirectoryEntries& entries,
                                      CDBEntrySorter::RowOrder& order)
{
    if (m_restWanted) {
        ReadRest();
        m_listing = m_background.get();
        m_sorted = true;
        m_restWanted = false;
    }
    const bool sortedAlike = m_sorted && sorter.SortCriteria() == m_sorter.SortCriteria() &&
                             sorter.SortAscending() == m_sorter.SortAscending();
    order = sortedAlike ? std::move(m_listing.order) : sorter.SortElementsForDisplay(m_listing.entries);
    entries = std::move(m_listing.entries);
    m_listing = {};
}

CDBDirectoryListing::SSortedEntries CDBDirectoryListing::ReadInBackground() const
{
    CVKDatabase connection;
    SSortedEntries listing;
    if (!connection.Open(m_databaseFile, CVKDatabase::EOpenMode::ReadOnly) ||
        !ReadStoreDirectory(connection, m_model, m_filter, std::chrono::steady_clock::time_point::max(),
                            std::numeric_limits<std::size_t>::max(), m_cancelled, listing.entries))
        return {};
    listing.order = m_sorter.SortElementsForDisplay(listing.entries, &m_cancelled);
    if (listing.order.size() != listing.entries.size())
        return {};
    return listing;
}

CDBDirectoryEntries CDBDirectoryListing::FillElementsToDisplay(const CDBFilePathModel& model,
                                                               const CDBFileTypeFilter& filter)
{
    if (model.CurrentDir().empty())
        return ListAllowedRoots(model);
    CDBDirectoryEntries entries;
    const std::atomic<bool> never{false};
    ReadStoreDirectory(dbDatabase, model, filter, std::chrono::steady_clock::time_point::max(),
                       std::numeric_limits<std::size_t>::max(), never, entries);
    return entries;
}

CDBDirectoryEntries CDBDirectoryListing::ListAllowedRoots(const CDBFilePathModel& model)
{
    CDBDirectoryEntries entries;
    for (const auto& root : model.AllowedRootDirs())
        if (CDBFilePathModel::FileOrDirExistsDB(root.first))
            entries.Add(root.first.string(), SFileAttributes{true, 0, 0});
    return entries;
}

bool CDBDirectoryListing::ReadStoreDirectory(CVKDatabase& database, const CDBFilePathModel& model,
                                             const CDBFileTypeFilter& filter,
                                             std::chrono::steady_clock::time_point deadline, std::size_t maxEntries,
                                             const std::atomic<bool>& cancelled, CDBDirectoryEntries& entries)
{
    const std::string prefixKey = ChildPrefixKey(model.CurrentDir());
    const std::string placeholderKey = CDBStorePath::Key(CDBFilePathModel::DUMMY_FILENAME.string());
    const bool listDirectories = model.AllowDirDown();
    std::size_t seen = 0;
    bool complete = true;
    const CString dir(model.CurrentDir().string());
    const bool searched = CDBFileStore(database).VisitInDisplayOrder(dir, [&](const SDBFileEntryView& found) {
        // The clock is looked at now and then only: it costs more than an entry.
        if (entries.size() == maxEntries || cancelled.load(std::memory_order_relaxed) ||
            (++seen % kEntriesBetweenClockReads == 0 && std::chrono::steady_clock::now() > deadline)) {
            complete = false;
            return false;
        }
        if (found.isDirectory && !listDirectories)
            return true;
        const std::string_view name = DirectChildName(found.path, prefixKey);
        if (name.empty())
            return true;
        if (!found.isDirectory && (IsPlaceholder(name, placeholderKey) || !filter.FileMatchesAnyFilter(name)))
            return true;
        entries.Add(found.path, SFileAttributes{found.isDirectory, found.lastWriteTime, found.length});
        return true;
    });
    // A failed search shows an empty directory rather than a part of it.
    if (!searched)
        entries.clear();
    return complete || !searched;
}
