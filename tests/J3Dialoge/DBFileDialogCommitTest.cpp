#include <string>
#include <vector>

#include <QDialog>
#include <QTest>
#include <QTreeView>

#include "DBFileDialogTestFixture.h"
#include "support/DialogDriver.h"
#include "msgbox/Boxes.h"
#include "vkdb/DBFileFunctions.h"
#include "vkwpfcpp/VKButtonClass.h"

namespace {

constexpr const char* kBriefe = "C:\\P\\Data\\Briefe";
constexpr const char* kRootsNotice = "Ungültiges Verzeichnis|Das angegebene Verzeichnis muss ein Unterverzeichnis von "
                                     "einem der folgenden Verzeichnisse sein: data, qa";

class DBFileDialogCommitTest : public DBFileDialogTestFixture {
protected:
    void SetUp() override
    {
        DBFileDialogTestFixture::SetUp();
        StoreFile("C:\\P\\Data\\Briefe\\A.txt", 1000, "aaaa");
        StoreFile("C:\\P\\Data\\Briefe\\b.txt", 2000, "bb");
        StoreFile("C:\\P\\Data\\Briefe\\c.log", 3000, "c");
        StoreFile("C:\\P\\Data\\Briefe\\2024\\d.txt", 4000, "d");
    }
};

TEST_F(DBFileDialogCommitTest, ThePlainFunctionReturnsTheChosenFile)
{
    using j3test::DialogDriver;
    struct SCase {
        int open;
        bool down;
        unsigned int flags;
        DialogDriver steps;
        const char* chosen;
    };
    const SCase cases[] = {
        {1, true, 0, DialogDriver().DoubleClickRow(kList, 2), "C:\\P\\Data\\Briefe\\b.txt"},
        // Return on the list confirms the preselected first file.
        {1, false, 0, DialogDriver().PressReturn(kList), "C:\\P\\Data\\Briefe\\A.txt"},
        {0, true, 0, DialogDriver().Type(kFileBox, "Neu.txt").PressReturn(kFileBox), "C:\\P\\Data\\Briefe\\Neu.txt"},
        {1, true, 0, DialogDriver().PressEscape(), ""},
        // A multiple selection has no single path to give.
        {1, true, OFN_ALLOWMULTISELECT,
         DialogDriver().PressKey(kList, Qt::Key_Down, Qt::ShiftModifier).PressKey(kList, Qt::Key_Down, Qt::ShiftModifier)
             .PressReturn(kList),
         ""},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(RunPlain(Params(c.open, kBriefe, kTexts, false, c.down, c.flags), c.steps),
                  c.chosen);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(DBFileDialogCommitTest, AMultipleSelectionIsReadFromTheList)
{
    StoreFile("C:\\P\\Data\\Briefe\\e.txt");
    const auto dialog = Dialog(1, kBriefe, false, true, OFN_ALLOWMULTISELECT, "Texte|*.txt|Logs|*.log||");
    j3test::DialogDriver driver;
    driver.SelectRows(kList, {4, 0, 1, 3})
        .Do([&] { EXPECT_EQ(Text(*dialog->GetWindow(), kFileBox), "\"e.txt\" \"A.txt\" \"c.log\""); })
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(driver.Run(*dialog), 1);
    EXPECT_EQ(dialog->GetPathName(), "");
    // The directory "2024" passes no file type and is not taken.
    std::vector<std::string> chosen;
    for (const DBFileEntry& entry : dialog->GetMultipleSelectedFiles())
        chosen.push_back(entry.first.string());
    EXPECT_EQ(chosen, (Strings{"C:\\P\\Data\\Briefe\\e.txt", "C:\\P\\Data\\Briefe\\A.txt", "C:\\P\\Data\\Briefe\\c.log"}));
}

TEST_F(DBFileDialogCommitTest, RefusalsKeepTheDialogOpen)
{
    struct SCase {
        const char* dir;
        const char* typed;
        bool allowOverwrite;
        std::string box;
    };
    const SCase cases[] = {
        {kBriefe, "a/b.txt", true, "Ungültiger Dateiname|Der angegebene Dateiname \"a/b.txt\" ist ungültig!"},
        {kBriefe, "con.txt", true, "Ungültiger Dateiname|Der angegebene Dateiname \"con.txt\" ist ungültig!"},
        {kBriefe, "brief.doc", true,
         "Ungültiger Dateityp|Der Dateityp der ausgewählten Datei entspricht nicht den erlaubten Dateitypen "
         "(*.txt,*.log)!"},
        {kBriefe, "b.txt", false,
         "Datei existiert bereits|Die Datei \"data\\Briefe\\b.txt\" existiert bereits in der Datenbank und kann "
         "nicht überschrieben werden!"},
        // Saving at the display root would name a file above every root.
        {"", "x.txt", true, kRootsNotice},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.typed);
        m_boxes.ClearRecords();
        const auto dialog = Dialog(0, c.dir, true, true, 0, "Texte|*.txt|Logs|*.log||");
        dialog->SetAllowOverwrite(c.allowOverwrite);
        j3test::DialogDriver driver;
        driver.Type(kFileBox, c.typed)
            .PressReturn(kFileBox)
            .Do([&] { EXPECT_EQ(Text(*dialog->GetWindow(), kFileBox), c.typed); })
            .ClickFrameButton(VKButtonCancel);
        EXPECT_EQ(driver.Run(*dialog), 2);
        EXPECT_EQ(Boxes(), Strings{c.box});
        EXPECT_EQ(dialog->GetPathName(), "");
    }
}

TEST_F(DBFileDialogCommitTest, OpenModeRefusesAFileThatVanished)
{
    const auto dialog = Dialog(1, kBriefe, false, true);
    j3test::DialogDriver driver;
    driver.ClickRow(kList, 2)
        .Do([] { DeleteFileDB("C:\\P\\Data\\Briefe\\b.txt"); })
        .ClickFrameButton(VKButtonOK)
        .Do([&] { EXPECT_EQ(Text(*dialog->GetWindow(), kFileBox), "b.txt"); })
        .ClickRow(kList, 1)
        .ClickFrameButton(VKButtonOK);
    EXPECT_EQ(driver.Run(*dialog), 1);
    EXPECT_EQ(Boxes(), Strings{"Datei nicht gefunden|Die Datei \"data\\Briefe\\b.txt\" existiert nicht in der "
                               "Datenbank und kann nicht geöffnet/ausgewählt!"});
    EXPECT_EQ(dialog->GetPathName(), "C:\\P\\Data\\Briefe\\A.txt");
}

TEST_F(DBFileDialogCommitTest, TheResultFieldsDescribeTheChosenPath)
{
    const std::string dir = std::string(kBriefe) + "\\2024";
    // 21 + 1 + 236 characters fill the 258 that lpstrFile holds; a name one
    // longer is refused, not cut short.
    const std::string fits = std::string(232, 'x') + ".txt";
    struct SCase {
        std::string typed;
        const char* ext;
        std::string title;
        std::string refusedFirst;
    };
    const SCase cases[] = {
        {"brief.txt", "txt", "brief", ""},
        {"brief", "", "brief", ""},
        {"a.b.txt", "txt", "a.b", ""},
        {fits, "txt", std::string(232, 'x'), "y" + fits},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.typed);
        CDBFileDialog dialog(0, "txt", nullptr, 0, "Alle|*||", nullptr, 0, 0);
        dialog.GetOFN().lpstrInitialDir = dir.c_str();
        j3test::DialogDriver driver;
        if (!c.refusedFirst.empty())
            driver.Type(kFileBox, c.refusedFirst).PressReturn(kFileBox);
        // Save mode leaves a first file row unselected, so the double click
        // below the rows hits no entry and confirms the typed name.
        driver.Type(kFileBox, c.typed).DoubleClickRow(kList, -1);
        EXPECT_EQ(driver.Run(dialog), 1);
        const std::string path = dir + "\\" + c.typed;
        const OPENFILENAMEA& ofn = dialog.GetOFN();
        EXPECT_EQ(dialog.GetPathName(), CString(path));
        EXPECT_EQ(ofn.lpstrFile[path.size() + 1], '\0');
        EXPECT_EQ(dialog.GetFileName(), CString(c.typed));
        EXPECT_EQ(dialog.GetFileExt(), c.ext);
        EXPECT_EQ(dialog.GetFileTitle(), CString(c.title));
        EXPECT_EQ(ofn.nFileOffset, dir.size() + 1);
        EXPECT_EQ(ofn.nFileExtension, path.size() - std::string(c.ext).size());
    }
    const Strings boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].substr(0, boxes[0].find('|')), "Pfad zu lang");
}

TEST_F(DBFileDialogCommitTest, AnInitialNameClimbingOutOfTheRootIsNotReturned)
{
    StoreFile("C:\\Windows\\x.txt");
    CDBFileDialog dialog(1, nullptr, "..\\..\\..\\Windows\\x.txt", 0, kTexts, nullptr, 0, 0);
    dialog.GetOFN().lpstrInitialDir = kBriefe;
    j3test::DialogDriver driver;
    driver.ClickFrameButton(VKButtonOK).PressEscape();
    EXPECT_EQ(driver.Run(dialog), 2);
    EXPECT_EQ(Boxes(), Strings{kRootsNotice});
}

TEST_F(DBFileDialogCommitTest, SaveModeCreatesDirectoriesThatLiveWithTheirFiles)
{
    m_boxes.QueueAnswer(BOX_YES);  // create the typed directory
    m_boxes.QueueAnswer(BOX_YES);  // create a directory by the button
    m_boxes.QueueInput({"Leer"});
    m_boxes.QueueAnswer(BOX_NO);   // do not create the second typed one
    {
        const auto dialog = Dialog(0, kBriefe, true, true);
        j3test::DialogDriver driver;
        driver.Type(kDirBox, "data\\Briefe\\Neu")
            .PressReturn(kDirBox)
            .Do([&] { EXPECT_EQ(Text(*dialog->GetWindow(), kDirBox), "data\\Briefe\\Neu"); })
            .Click("VKBUTTON_DIRNEW")
            .Do([&] { EXPECT_EQ(ListColumn(*dialog->GetWindow(), 0), Strings{"Leer\\"}); })
            .Type(kDirBox, "data\\Anders")
            .PressReturn(kDirBox)
            .Do([&] { EXPECT_EQ(Text(*dialog->GetWindow(), kDirBox), "data\\Briefe\\Neu"); })
            .Type(kFileBox, "brief.txt")
            .PressReturn(kFileBox);
        EXPECT_EQ(driver.Run(*dialog), 1);
        EXPECT_EQ(dialog->GetPathName(), "C:\\P\\Data\\Briefe\\Neu\\brief.txt");
        EXPECT_TRUE(FileExistsDB("C:\\P\\Data\\Briefe\\Neu\\Leer\\__j3dbfiledialog-dummy__"));
        StoreFile("C:\\P\\Data\\Briefe\\Neu\\brief.txt");
        // Meanwhile someone wrote into a placeholder: it is a file now.
        StoreFile("C:\\P\\Data\\Briefe\\Neu\\Leer\\__j3dbfiledialog-dummy__", 1000, "Inhalt");
    }
    // The empty placeholder went with the dialog; files stay.
    EXPECT_TRUE(FileExistsDB("C:\\P\\Data\\Briefe\\Neu\\Leer\\__j3dbfiledialog-dummy__"));
    EXPECT_FALSE(FileExistsDB("C:\\P\\Data\\Briefe\\Neu\\__j3dbfiledialog-dummy__"));
    EXPECT_TRUE(FileExistsDB("C:\\P\\Data\\Briefe\\Neu\\brief.txt"));
    EXPECT_EQ(Boxes(EBoxKind::Question),
              (Strings{"Verzeichnis nicht gefunden|Das Verzeichnis \"data\\Briefe\\Neu\" existiert nicht in der "
                       "Datenbank. Soll es erstellt werden?",
                       "Verzeichnis erstellen|Neues Verzeichnis erstellen?",
                       "Verzeichnis nicht gefunden|Das Verzeichnis \"data\\Anders\" existiert nicht in der "
                       "Datenbank. Soll es erstellt werden?"}));
    EXPECT_TRUE(Boxes(EBoxKind::Notice).empty());
}

TEST_F(DBFileDialogCommitTest, InvalidNewDirectoriesAreRefused)
{
    for (const char* name : {"con", "a.", "..", "a:b", "x\\..\\..\\..\\Windows"}) {
        SCOPED_TRACE(name);
        m_boxes.ClearRecords();
        m_boxes.QueueAnswer(BOX_YES);
        m_boxes.QueueInput({name});
        const auto dialog = Dialog(0, kBriefe, true, true);
        j3test::DialogDriver driver;
        driver.Click("VKBUTTON_DIRNEW")
            .Do([&] { EXPECT_EQ(ListColumn(*dialog->GetWindow(), 0).front(), "2024\\"); })
            .PressEscape();
        EXPECT_EQ(driver.Run(*dialog), 2);
        EXPECT_EQ(Boxes(EBoxKind::Notice), Strings{kRootsNotice});
    }
}

} // namespace
