#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FileStoreFixture.h"
#include "J3Dialoge/DBDirectoryCreator.h"
#include "J3Dialoge/DBDirectoryListing.h"
#include "msgbox/BoxAnswerer.h"
#include "vkdb/DBFileFunctions.h"

namespace {

using winpath::path;

class DBDirectoryCreatorTest : public FileStoreFixture {
protected:
    void SetUp() override
    {
        FileStoreFixture::SetUp();
        m_model.AddAllowedRootDir(kDataRoot, "data");
        m_model.AddAllowedRootDir(kQaRoot, "qa");
        m_model.SetAllowDirChanges(true, true);
    }

    // The directory that the new-directory command creates for a typed name.
    path DirForTypedName(const std::string& name) const
    {
        return CDBFilePathModel::RemoveTrailingSeparator(m_model.CurrentDir() / path(name));
    }

    CDBFilePathModel m_model;
    CBoxAnswerer m_boxes;
};

TEST_F(DBDirectoryCreatorTest, CreatesADirectoryThroughItsPlaceholder)
{
    StoreFile("C:\\P\\Data\\x\\a.txt");
    ASSERT_TRUE(m_model.SetCurrentDir(CString("C:\\P\\Data\\x")));
    CDBDirectoryCreator creator(m_model);
    const path dir = DirForTypedName("neu");
    ASSERT_TRUE(creator.ValidateCreationPath(dir));
    ASSERT_TRUE(creator.CreateDummyFile(dir));

    const std::string placeholder = "C:\\P\\Data\\x\\neu\\__j3dbfiledialog-dummy__";
    EXPECT_EQ(creator.CreatedDummyFiles(), std::vector<std::string>{placeholder});
    EXPECT_TRUE(FileExistsDB(CString(placeholder)));
    const char* filterText = "Alle|*.*";
    const DBFileEntries listed = CDBDirectoryListing::FillElementsToDisplay(m_model, CDBFileTypeFilter(&filterText));
    EXPECT_EQ(listed.count(path(L"C:\\P\\Data\\x\\neu")), 1u);
    EXPECT_TRUE(listed.at(path(L"C:\\P\\Data\\x\\neu")).isDirectory);
    EXPECT_TRUE(m_boxes.Records().empty());
}

TEST_F(DBDirectoryCreatorTest, TwoLevelsAtOnceGetOnePlaceholderInside)
{
    StoreFile("C:\\P\\Data\\a.txt");
    ASSERT_TRUE(m_model.SetCurrentDir(CString(kDataRoot)));
    CDBDirectoryCreator creator(m_model);
    const path dir = DirForTypedName("a\\b");
    ASSERT_TRUE(creator.ValidateCreationPath(dir));
    ASSERT_TRUE(creator.CreateDummyFile(dir));
    EXPECT_EQ(creator.CreatedDummyFiles().size(), 1u);
    EXPECT_TRUE(CDBFilePathModel::FileOrDirExistsDB(path(L"C:\\P\\Data\\a")));
    EXPECT_TRUE(FileExistsDB("C:\\P\\Data\\a\\b\\__j3dbfiledialog-dummy__"));
}

struct SRefusedCase {
    const char* currentDir; // "" for the display root
    std::string typedName;
};

TEST_F(DBDirectoryCreatorTest, RefusesPathsOutsideTheRulesAndWritesNothing)
{
    StoreFile("C:\\P\\Data\\a.txt");
    const std::vector<SRefusedCase> cases = {
        {"", "neu"},           {"C:\\P\\Data", "con"},        {"C:\\P\\Data", "a."},
        {"C:\\P\\Data", ".."}, {"C:\\P\\Data", "a:b"},        {"C:\\P\\Data", "x\\..\\..\\..\\Windows"},
        {"C:\\P\\Data", "a?"}, {"C:\\P\\Data", std::string(252, 'n')},
    };
    CDBDirectoryCreator creator(m_model);
    for (const SRefusedCase& c : cases) {
        ASSERT_TRUE(m_model.SetCurrentDir(CString(c.currentDir)));
        EXPECT_FALSE(creator.ValidateCreationPath(DirForTypedName(c.typedName))) << c.typedName;
    }
    for (const char* dir : {"\\P\\Data\\x", "C:P\\Data\\x", "\\\\server\\share\\P\\Data", "D:\\P\\Data\\x"})
        EXPECT_FALSE(creator.ValidateCreationPath(path(dir))) << dir;
    EXPECT_TRUE(creator.CreatedDummyFiles().empty());
}

TEST_F(DBDirectoryCreatorTest, AcceptsPathsUpTo260Characters)
{
    CDBDirectoryCreator creator(m_model);
    const std::string base = "C:\\P\\Data\\";
    const std::string longest = base + std::string(260 - base.size(), 'n');
    EXPECT_TRUE(creator.ValidateCreationPath(path(longest)));
    EXPECT_FALSE(creator.ValidateCreationPath(path(longest + "n")));
}

TEST_F(DBDirectoryCreatorTest, RefusalNoticeNamesTheRootsInPathOrder)
{
    struct SNoticeCase {
        std::vector<std::pair<const char*, const char*>> roots;
        std::string textEnd;
    };
    const std::vector<SNoticeCase> cases = {
        {{{"C:\\P\\QA", "qa"}, {"C:\\P\\Data", "data"}}, "sein: data, qa"},
        {{{"C:\\Z", "zeta"}, {"C:\\A", "alpha"}, {"C:\\M", "mitte"}}, "sein: alpha, mitte, zeta"},
        {{}, "sein: "},
    };
    for (const SNoticeCase& c : cases) {
        CDBFilePathModel model;
        for (const auto& [real, display] : c.roots)
            model.AddAllowedRootDir(real, display);
        m_boxes.ClearRecords();
        CDBDirectoryCreator(model).OnCreationPathValidationFailed(nullptr);
        const std::vector<SBoxRecord> notices = m_boxes.RecordsOf(EBoxKind::Notice);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].caption, "Ungültiges Verzeichnis");
        EXPECT_EQ(notices[0].text, "Das angegebene Verzeichnis muss ein Unterverzeichnis von einem der folgenden "
                                   "Verzeichnisse " + c.textEnd);
    }
}

TEST_F(DBDirectoryCreatorTest, StoreRefusalIsReportedAndNotRecorded)
{
    StoreFile("C:\\P\\Data\\datei.txt");
    CDBDirectoryCreator creator(m_model);
    const path belowFile(L"C:\\P\\Data\\datei.txt\\neu");
    EXPECT_TRUE(creator.ValidateCreationPath(belowFile));
    EXPECT_FALSE(creator.CreateDummyFile(belowFile));
    EXPECT_TRUE(creator.CreatedDummyFiles().empty());

    CDBDirectoryCreator::OnDirCreationFailed(nullptr);
    const std::vector<SBoxRecord> notices = m_boxes.RecordsOf(EBoxKind::Notice);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].caption, "Verzeichnis konnte nicht erstellt werden");
    EXPECT_EQ(notices[0].text, "Das angegebene Verzeichnis konnte nicht in der Datenbank erstellt werden!");
}

TEST_F(DBDirectoryCreatorTest, PlaceholdersLiveAsLongAsTheCreator)
{
    StoreFile("C:\\P\\Data\\a.txt");
    {
        CDBDirectoryCreator creator(m_model);
        ASSERT_TRUE(creator.CreateDummyFile(path(L"C:\\P\\Data\\leer")));
        ASSERT_TRUE(creator.CreateDummyFile(path(L"C:\\P\\Data\\voll")));
        ASSERT_TRUE(creator.CreateDummyFile(path(L"C:\\P\\Data\\voll")));
        StoreFile("C:\\P\\Data\\voll\\brief.txt");
        EXPECT_TRUE(CDBFilePathModel::FileOrDirExistsDB(path(L"C:\\P\\Data\\leer")));
    }
    EXPECT_FALSE(CDBFilePathModel::FileOrDirExistsDB(path(L"C:\\P\\Data\\leer")));
    EXPECT_FALSE(FileExistsDB("C:\\P\\Data\\voll\\__j3dbfiledialog-dummy__"));
    EXPECT_TRUE(FileExistsDB("C:\\P\\Data\\voll\\brief.txt"));
    EXPECT_TRUE(FileExistsDB("C:\\P\\Data\\a.txt"));
}

} // namespace
