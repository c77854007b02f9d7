#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FileStoreFixture.h"
#include "J3Dialoge/DBFilePathModel.h"

namespace {

using winpath::path;

class DBFilePathModelTest : public FileStoreFixture {
protected:
    void SetUp() override
    {
        FileStoreFixture::SetUp();
        m_model.AddAllowedRootDir(kDataRoot, "data");
        m_model.AddAllowedRootDir(kQaRoot, "qa");
    }

    CDBFilePathModel m_model;
};

struct SPathPair {
    const wchar_t* from;
    const wchar_t* to;
};

TEST(DBFilePathModelStaticTest, RemovesTrailingBackslashesButNeverTheRoot)
{
    const std::vector<SPathPair> cases = {
        {L"C:\\", L"C:\\"}, {L"C:\\a\\\\", L"C:\\a"}, {L"C:\\a/", L"C:\\a/"}, {L"\\", L"\\"},
    };
    for (const SPathPair& c : cases) {
        EXPECT_EQ(CDBFilePathModel::RemoveTrailingSeparator(path(c.from)).native(), c.to);
        EXPECT_EQ(CDBFilePathModel::RemoveTrailingSeparator(CString(path(c.from).string())).native(), c.to);
    }
}

TEST_F(DBFilePathModelTest, ConvertsDisplayPathsToRealPaths)
{
    const std::vector<SPathPair> cases = {
        {L"data\\x\\y", L"C:\\P\\Data\\x\\y"}, {L"qa", L"C:\\P\\QA"}, {L"datax", L""},
        {L"Data", L""},                        {L"", L""},               {L"data\\x\\..\\y", L"C:\\P\\Data\\y"},
    };
    for (const SPathPair& c : cases)
        EXPECT_EQ(m_model.DisplayPathToRealPath(path(c.from)).native(), c.to) << path(c.from).string();
}

// A typed display path may not climb out of its root, whatever the store holds there.
TEST_F(DBFilePathModelTest, DisplayPathsThatLeaveTheirRootNameNothing)
{
    StoreFile("C:\\Windows\\win.ini");
    StoreFile("C:\\P\\QA\\q.txt");
    for (const wchar_t* typed : {L"data\\..\\..\\Windows", L"data\\..", L"data\\sub\\..\\..\\QA"}) {
        const path real = m_model.DisplayPathToRealPath(path(typed));
        EXPECT_TRUE(real.empty()) << path(typed).string() << " -> " << real.string();
        EXPECT_FALSE(m_model.SetCurrentDir(real.empty() ? path(L"C:\\Windows") : real));
    }
    EXPECT_TRUE(m_model.CurrentDir().empty());
}

TEST_F(DBFilePathModelTest, ConvertsRealPathsToDisplayPaths)
{
    const std::vector<SPathPair> cases = {
        {L"C:\\P\\Data", L"data"}, {L"C:\\P\\QA\\z", L"qa\\z"}, {L"D:\\other", L""}, {L"C:\\P\\Database", L""},
    };
    for (const SPathPair& c : cases)
        EXPECT_EQ(m_model.RealPathToDisplayPath(path(c.from)).native(), c.to) << path(c.from).string();
}

TEST_F(DBFilePathModelTest, ReAddingARootWithTrailingBackslashRenamesIt)
{
    m_model.AddAllowedRootDir("C:\\P\\Data\\", "daten");
    ASSERT_EQ(m_model.AllowedRootDirs().size(), 2u);
    EXPECT_EQ(m_model.AllowedRootDirs().at(path(L"C:\\P\\Data")).native(), L"daten");
    EXPECT_EQ(m_model.DisplayPathToRealPath(path(L"daten\\x")).native(), L"C:\\P\\Data\\x");
    EXPECT_TRUE(m_model.DisplayPathToRealPath(path(L"data\\x")).empty());
    m_model.RemoveAllowedRootDir("C:\\P\\QA\\");
    EXPECT_EQ(m_model.AllowedRootDirs().size(), 1u);
}

TEST_F(DBFilePathModelTest, NestedRootsAnswerWithTheOuterOne)
{
    m_model.AddAllowedRootDir("C:\\P\\Data\\Inner", "inner");
    EXPECT_EQ(m_model.AllowedRootDirForRealPath(path(L"C:\\P\\Data\\Inner\\x")).native(), L"C:\\P\\Data");
    EXPECT_EQ(m_model.AllowedRootDirForRealPath(path(L"C:\\P\\QA")).native(), L"C:\\P\\QA");
    EXPECT_TRUE(m_model.AllowedRootDirForRealPath(path(L"C:\\P")).empty());
}

struct SDirChangeCase {
    bool up;
    bool down;
    const wchar_t* target;
    bool allowed;
};

TEST_F(DBFilePathModelTest, DirectionFlagsDecideWhichDirectoriesMayBeEntered)
{
    const CString initialDir = "C:\\P\\Data\\Init";
    const std::vector<SDirChangeCase> cases = {
        {false, false, L"C:\\P\\Data\\Init", false},     {false, true, L"C:\\P\\Data\\Init\\sub", true},
        {false, true, L"C:\\P\\Data", false},          {true, false, L"C:\\P\\Data\\Init\\sub", false},
        {true, false, L"", true},                       {true, true, L"C:\\P\\QA", true},
    };
    for (const SDirChangeCase& c : cases) {
        m_model.SetAllowDirChanges(c.up, c.down);
        EXPECT_EQ(m_model.IsDirChangeAllowed(path(c.target), initialDir), c.allowed)
            << c.up << c.down << ' ' << path(c.target).string();
    }
}

TEST_F(DBFilePathModelTest, SetCurrentDirAcceptsOnlyKnownDirectoriesWithinTheRoots)
{
    StoreFile("C:\\P\\Data\\sub\\a.txt");
    StoreFile("C:\\Elsewhere\\b.txt");

    EXPECT_TRUE(m_model.SetCurrentDir(path(L"C:\\P\\Data\\sub\\")));
    EXPECT_EQ(m_model.CurrentDir().native(), L"C:\\P\\Data\\sub");
    EXPECT_EQ(m_model.RealPathToDisplayPath(m_model.CurrentDir()).native(), L"data\\sub");

    for (const char* refused : {"C:\\P\\Data\\missing", "C:\\Elsewhere", "C:\\P\\QA"}) {
        EXPECT_FALSE(m_model.SetCurrentDir(CString(refused))) << refused;
        EXPECT_EQ(m_model.CurrentDir().native(), L"C:\\P\\Data\\sub") << refused;
    }

    EXPECT_TRUE(m_model.SetCurrentDir(path()));
    EXPECT_TRUE(m_model.CurrentDir().empty());
    EXPECT_TRUE(m_model.SetCurrentDir(CString("C:\\P\\Data\\sub\\..")));
    EXPECT_EQ(m_model.CurrentDir().native(), L"C:\\P\\Data");
}

TEST_F(DBFilePathModelTest, ADirectoryExistsThroughAnyFileBelowIt)
{
    StoreFile("C:\\P\\Data\\a\\b\\" + CDBFilePathModel::DUMMY_FILENAME.string());
    EXPECT_TRUE(CDBFilePathModel::FileOrDirExistsDB(path(L"C:\\P\\Data")));
    EXPECT_TRUE(CDBFilePathModel::FileOrDirExistsDB(path(L"c:\\p\\data\\A\\b")));
    EXPECT_FALSE(CDBFilePathModel::FileOrDirExistsDB(path(L"C:\\P\\Data\\b")));
    EXPECT_FALSE(CDBFilePathModel::FileOrDirExistsDB(path(L"C:\\P\\QA")));
}

} // namespace
