#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FileStoreFixture.h"
#include "support/UncheckedStoreRow.h"
#include "J3Dialoge/DBDirectoryListing.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

namespace {

class DBDirectoryListingTest : public FileStoreFixture {
protected:
    void SetUp() override
    {
        FileStoreFixture::SetUp();
        m_model.AddAllowedRootDir("C:\\P\\Data", "data");
        m_model.AddAllowedRootDir("C:\\P\\Empty", "leer");
    }

    // The listing of `dir` in display order, each entry as "path|dir|time|size".
    std::vector<std::string> Listed(const char* dir, const char* filterText)
    {
        EXPECT_TRUE(m_model.SetCurrentDir(CString(dir))) << dir;
        CDBDirectoryEntries entries;
        CDBEntrySorter::RowOrder order;
        CDBDirectoryListing(m_model, filterText, CDBEntrySorter()).TakeListing(CDBEntrySorter(), entries, order);
        std::vector<std::string> listed;
        for (std::uint32_t i : order) {
            const SFileAttributes& a = entries.Attributes(i);
            listed.push_back(entries.Path(i).string() + "|" + (a.isDirectory ? "d" : "f") + "|" +
                             std::to_string(a.lastWriteTime) + "|" + std::to_string(a.size));
        }
        return listed;
    }

    // Stores that many files and one subdirectory in C:\P\Data\viele
    // and makes it current.
    std::size_t StoreMany(std::size_t files)
    {
        CDBFileStore store(dbDatabase);
        CVKTransaction transaction(dbDatabase);
        for (std::size_t i = 0; i < files; ++i)
            EXPECT_TRUE(store.SaveFile(CString("C:\\P\\Data\\viele\\f" + std::to_string(100000 + i) + ".txt"),
                                       CString(std::string(i % 7, 'x')), static_cast<std::int64_t>(i)));
        EXPECT_TRUE(store.SaveFile("C:\\P\\Data\\viele\\unter\\u.txt", "x"));
        EXPECT_TRUE(transaction.Commit());
        m_model.SetAllowDirChanges(true, true);
        EXPECT_TRUE(m_model.SetCurrentDir(CString("C:\\P\\Data\\viele")));
        return files;
    }

    CDBFilePathModel m_model;
};

struct SListingCase {
    bool allowDirDown;
    const char* filterText;
    std::vector<std::string> listed;
};

TEST_F(DBDirectoryListingTest, ListsWhatTheUserMaySee)
{
    StoreFile("C:\\P\\Data\\x\\b.txt", 2, "bb");
    StoreFile("C:\\P\\Data\\x\\A.txt", 1, "a");
    StoreFile("C:\\P\\Data\\x\\a.doc", 3, "ccc");
    StoreFile("C:\\P\\Data\\x\\zz\\inner.txt");
    // The placeholder in either case, and names that would lead out of the
    // directory, are never listed.
    StoreFile("C:\\P\\Data\\x\\__j3dbfiledialog-dummy__");
    StoreFile("C:\\P\\Data\\x\\zz\\__J3DBFILEDIALOG-DUMMY__");
    // (rows of an older database: the store refuses such paths today).
    ASSERT_TRUE(j3test::StoreUnchecked(dbDatabase, "C:\\P\\Data\\x\\..\\..\\Windows\\win.ini"));
    ASSERT_TRUE(j3test::StoreUnchecked(dbDatabase, "C:\\P\\Data\\x\\.\\y.txt"));
    const std::vector<SListingCase> cases = {
        {true, "Alle|*.*||",
         {"C:\\P\\Data\\x\\zz|d|0|0", "C:\\P\\Data\\x\\A.txt|f|1|1", "C:\\P\\Data\\x\\a.doc|f|3|3",
          "C:\\P\\Data\\x\\b.txt|f|2|2"}},
        {false, "Text|*.txt", {"C:\\P\\Data\\x\\A.txt|f|1|1", "C:\\P\\Data\\x\\b.txt|f|2|2"}},
        {true, "", {"C:\\P\\Data\\x\\zz|d|0|0"}},
    };
    for (const SListingCase& c : cases) {
        m_model.SetAllowDirChanges(true, c.allowDirDown);
        EXPECT_EQ(Listed("C:\\P\\Data\\x", c.filterText), c.listed) << c.filterText;
    }
}

// The dialog refuses such folders before it lists anything; the model
// refuses them too, whoever asks.
TEST_F(DBDirectoryListingTest, FoldersOutsideTheRootsAreNeverEntered)
{
    StoreFile("C:\\Windows\\win.ini");
    EXPECT_FALSE(m_model.SetCurrentDir(CString("C:\\Windows")));
    EXPECT_TRUE(m_model.CurrentDir().empty());
}

// A directory larger than a screen gives its first screen at once, in
// display order, and is read whole on a thread of its own: the same
// entries, sorted under the state the dialog has when it takes them.
TEST_F(DBDirectoryListingTest, LargeDirectoryGivesItsFirstScreenAndIsReadWholeOffTheCallersThread)
{
    const std::size_t files = StoreMany(600);
    CDBDirectoryListing listing(m_model, "Alle|*.*||", CDBEntrySorter(), std::chrono::milliseconds(0));
    CDBDirectoryEntries entries;
    CDBEntrySorter::RowOrder order;
    listing.TakeFirstScreen(CDBEntrySorter(), entries, order);
    ASSERT_EQ(order.size(), CDBDirectoryListing::kFirstScreenRows);
    EXPECT_EQ(entries.Name(order[0]), "unter");
    EXPECT_EQ(entries.Name(order[1]), "f100000.txt");
    CDBEntrySorter newestFirst;
    newestFirst.SetSortCriteria(CDBEntrySorter::SORT_BY_LAST_CHANGE);
    newestFirst.SetSortCriteria(CDBEntrySorter::SORT_BY_LAST_CHANGE);
    listing.TakeListing(newestFirst, entries, order);
    ASSERT_EQ(entries.size(), files + 1);
    ASSERT_EQ(order.size(), files + 1);
    EXPECT_EQ(entries.Name(order.front()), "f" + std::to_string(100000 + files - 1) + ".txt");
    EXPECT_EQ(entries.Name(order.back()), "unter");
    EXPECT_TRUE(listing.IsRead());
}

// A listing no longer wanted stops where it is and gives nothing.
TEST_F(DBDirectoryListingTest, CancelledReadStopsWithoutAListing)
{
    StoreMany(20000);
    CDBEntrySorter bySize;
    bySize.SetSortCriteria(CDBEntrySorter::SORT_BY_SIZE);
    CDBDirectoryListing listing(m_model, "Alle|*.*||", bySize, std::chrono::milliseconds(0));
    listing.Cancel();
    CDBDirectoryEntries entries;
    CDBEntrySorter::RowOrder order;
    listing.TakeListing(bySize, entries, order);
    EXPECT_EQ(entries.size(), 0u);
    EXPECT_EQ(order.size(), 0u);
}

} // namespace
