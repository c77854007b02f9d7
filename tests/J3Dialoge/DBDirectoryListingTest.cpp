#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FileStoreFixture.h"
#include "support/UncheckedStoreRow.h"
#include "J3Dialoge/DBDirectoryListing.h"
#include "J3Dialoge/DBEntrySorter.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

namespace {

using winpath::path;

class DBDirectoryListingTest : public FileStoreFixture {
protected:
    void SetUp() override
    {
        FileStoreFixture::SetUp();
        m_model.AddAllowedRootDir(kDataRoot, "data");
        m_model.AddAllowedRootDir("C:\\P\\Empty", "leer");
    }

    // The names of the listing of `dir` in display order.
    std::vector<std::string> ListedNames(const char* dir)
    {
        EXPECT_TRUE(m_model.SetCurrentDir(CString(dir))) << dir;
        std::vector<std::string> names;
        for (const DBFileEntry& entry :
             m_sorter.SortElementsForDisplay(CDBDirectoryListing::FillElementsToDisplay(m_model, m_filter)))
            names.push_back(entry.first.filename().string());
        return names;
    }

    CDBFilePathModel m_model;
    const char* m_filterText = "Alle|*.*||";
    CDBFileTypeFilter m_filter{&m_filterText};
    CDBEntrySorter m_sorter;
};

TEST_F(DBDirectoryListingTest, ListsDirectoriesFirstAndHidesThePlaceholder)
{
    StoreFile("C:\\P\\Data\\x\\b.txt");
    StoreFile("C:\\P\\Data\\x\\A.txt");
    StoreFile("C:\\P\\Data\\x\\zz\\inner.txt");
    StoreFile("C:\\P\\Data\\x\\" + CDBFilePathModel::DUMMY_FILENAME.string());
    m_model.SetAllowDirChanges(true, true);

    EXPECT_EQ(ListedNames("C:\\P\\Data\\x"), (std::vector<std::string>{"zz", "A.txt", "b.txt"}));
    m_sorter.SetSortCriteria(CDBEntrySorter::SORT_BY_NAME);
    EXPECT_EQ(ListedNames("C:\\P\\Data\\x"), (std::vector<std::string>{"b.txt", "A.txt", "zz"}));

    m_model.SetAllowDirChanges(true, false);
    EXPECT_EQ(ListedNames("C:\\P\\Data\\x"), (std::vector<std::string>{"b.txt", "A.txt"}));
}

TEST_F(DBDirectoryListingTest, ListsOnlyFilesThatPassTheFilter)
{
    StoreFile("C:\\P\\Data\\a.doc");
    StoreFile("C:\\P\\Data\\a.txt");
    StoreFile("C:\\P\\Data\\B.TXT");
    StoreFile("C:\\P\\Data\\" + CDBFilePathModel::DUMMY_FILENAME.string());
    m_filterText = "Text|*.txt";
    EXPECT_EQ(ListedNames(kDataRoot), (std::vector<std::string>{"B.TXT", "a.txt"}));
    m_filterText = "";
    EXPECT_TRUE(ListedNames(kDataRoot).empty());
}

TEST_F(DBDirectoryListingTest, CarriesTheStoresAttributes)
{
    StoreFile("C:\\P\\Data\\a.txt", 1'700'000'000, "12345");
    StoreFile("C:\\P\\Data\\sub\\b.txt", 5);
    m_model.SetAllowDirChanges(false, true);
    ASSERT_TRUE(m_model.SetCurrentDir(CString(kDataRoot)));
    const DBFileEntries entries = CDBDirectoryListing::FillElementsToDisplay(m_model, m_filter);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.at(path(L"C:\\P\\Data\\a.txt")), (SFileAttributes{false, 1'700'000'000, 5}));
    EXPECT_TRUE(entries.at(path(L"C:\\P\\Data\\sub")).isDirectory);
}

TEST_F(DBDirectoryListingTest, DisplayRootListsTheRootsThatHoldFiles)
{
    StoreFile("C:\\P\\Data\\a.txt");
    ASSERT_TRUE(m_model.SetCurrentDir(path()));
    const DBFileEntries entries = CDBDirectoryListing::FillElementsToDisplay(m_model, m_filter);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.begin()->first.native(), L"C:\\P\\Data");
    EXPECT_EQ(entries.begin()->second, (SFileAttributes{true, 0, 0}));
}

TEST_F(DBDirectoryListingTest, VanishedDirectoryListsNothing)
{
    StoreFile("C:\\P\\Data\\gone\\a.txt");
    ASSERT_TRUE(m_model.SetCurrentDir(CString("C:\\P\\Data\\gone")));
    CDBFileStore(dbDatabase).RemoveFile("C:\\P\\Data\\gone\\a.txt");
    EXPECT_TRUE(CDBDirectoryListing::FillElementsToDisplay(m_model, m_filter).empty());
}

// Stored names "." and ".." would lead out of the directory when chosen.
TEST_F(DBDirectoryListingTest, EntriesThatWouldLeadOutOfTheDirectoryAreNotListed)
{
    // Rows of an older database: the store refuses such paths today.
    ASSERT_TRUE(j3test::StoreUnchecked(dbDatabase, "C:\\P\\Data\\..\\..\\Windows\\win.ini"));
    ASSERT_TRUE(j3test::StoreUnchecked(dbDatabase, "C:\\P\\Data\\.\\x.txt"));
    StoreFile("C:\\P\\Data\\ok.txt");
    m_model.SetAllowDirChanges(true, true);
    EXPECT_EQ(ListedNames(kDataRoot), (std::vector<std::string>{"ok.txt"}));
}

} // namespace
