#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FileStoreFixture.h"
#include "J3Dialoge/DBDirectoryCreator.h"
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

struct SCreatedCase {
    const char* typedName;
    const char* placeholder;
    const char* listedDir;
};

TEST_F(DBDirectoryCreatorTest, CreatesDirectoriesThroughOnePlaceholderInside)
{
    StoreFile("C:\\P\\Data\\x\\a.txt");
    ASSERT_TRUE(m_model.SetCurrentDir(CString("C:\\P\\Data\\x")));
    const std::vector<SCreatedCase> cases = {
        {"neu", "C:\\P\\Data\\x\\neu\\__j3dbfiledialog-dummy__", "neu"},
        {"a\\b", "C:\\P\\Data\\x\\a\\b\\__j3dbfiledialog-dummy__", "a"},
    };
    for (const SCreatedCase& c : cases) {
        CDBDirectoryCreator creator(m_model);
        const path dir = DirForTypedName(c.typedName);
        ASSERT_TRUE(creator.ValidateCreationPath(dir));
        ASSERT_TRUE(creator.CreateDummyFile(dir));
        EXPECT_EQ(creator.CreatedDummyFiles(), std::vector<std::string>{c.placeholder});
        EXPECT_TRUE(FileExistsDB(c.placeholder));
        EXPECT_TRUE(CDBFilePathModel::FileOrDirExistsDB(m_model.CurrentDir() / path(c.listedDir))) << c.typedName;
    }
    EXPECT_TRUE(m_boxes.Records().empty());
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
    const std::string longest = "C:\\P\\Data\\" + std::string(250, 'n');
    for (const std::string& dir : {std::string("\\P\\Data\\x"), std::string("C:P\\Data\\x"),
                                   std::string("\\\\server\\share\\P\\Data"), std::string("D:\\P\\Data\\x"),
                                   longest + "n"})
        EXPECT_FALSE(creator.ValidateCreationPath(path(dir))) << dir;
    EXPECT_TRUE(creator.ValidateCreationPath(path(longest))); // 260 characters
    EXPECT_TRUE(creator.CreatedDummyFiles().empty());
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

// Placeholders live as long as the creator, but only those it wrote and
// that are still empty: the store matches names without regard to case, so
// a user's file of the placeholder's name is the placeholder's place.
TEST_F(DBDirectoryCreatorTest, RemovesOnlyItsOwnEmptyPlaceholders)
{
    StoreFile("C:\\P\\Data\\fremd\\__J3DBFILEDIALOG-DUMMY__", 1000, "Notizen");
    {
        CDBDirectoryCreator creator(m_model);
        for (const wchar_t* dir : {L"C:\\P\\Data\\leer", L"C:\\P\\Data\\voll", L"C:\\P\\Data\\beschrieben",
                                   L"C:\\P\\Data\\fremd"})
            ASSERT_TRUE(creator.CreateDummyFile(path(dir)));
        EXPECT_EQ(creator.CreatedDummyFiles().size(), 3u);
        StoreFile("C:\\P\\Data\\voll\\brief.txt");
        StoreFile("C:\\P\\Data\\beschrieben\\__j3dbfiledialog-dummy__", 1000, "Inhalt");
    }
    const std::vector<std::pair<const char*, bool>> kept = {
        {"C:\\P\\Data\\leer\\__j3dbfiledialog-dummy__", false},
        {"C:\\P\\Data\\voll\\__j3dbfiledialog-dummy__", false},
        {"C:\\P\\Data\\voll\\brief.txt", true},
        {"C:\\P\\Data\\beschrieben\\__j3dbfiledialog-dummy__", true},
        {"C:\\P\\Data\\fremd\\__J3DBFILEDIALOG-DUMMY__", true},
    };
    for (const auto& [file, stays] : kept)
        EXPECT_EQ(FileExistsDB(file), stays) << file;
    CString content;
    ASSERT_TRUE(LoadTextFileDB("C:\\P\\Data\\fremd\\__J3DBFILEDIALOG-DUMMY__", content));
    EXPECT_EQ(content, "Notizen");
}

} // namespace
