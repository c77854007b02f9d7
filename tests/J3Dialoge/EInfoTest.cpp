#include "WPFJ3DialogFixture.h"

#include "J3Dialoge/EInfo.h"
#include "j3params/J3Params.h"
#include "msgbox/BoxAnswerer.h"
#include "vkwpfcpp/WPFDialog.h"

#include <csignal>
#include <sys/wait.h>

namespace {

constexpr SProgramUser Workstation1User12{"1", "12"};
constexpr const char* Befund = "jt/j3dialoge/DiaBefund";

std::vector<CString> Texts(std::initializer_list<const char*> texts)
{
    return std::vector<CString>(texts.begin(), texts.end());
}

// What closing a dialog with these notes stores.
void WriteNotes(const char* markupKey, const CString& key, const std::vector<CString>& texts)
{
    CWPFDialog dialog(markupKey, "j3wpfcs", nullptr);
    CEInfo eInfo(&dialog);
    dialog.OpenVKPostIts(texts, false, false);
    eInfo.WriteEInfo(key);
    std::vector<CString> left;
    dialog.CloseVKPostIts(left);
    EXPECT_TRUE(left.empty()) << "writing leaves the notes open";
}

// The notes that opening a dialog shows.
std::vector<CString> ReadNotes(const char* markupKey, const CString& key)
{
    CWPFDialog dialog(markupKey, "j3wpfcs", nullptr);
    CEInfo eInfo(&dialog);
    eInfo.ReadEInfo(key);
    std::vector<CString> texts;
    dialog.CloseVKPostIts(texts);
    return texts;
}

class EInfoTest : public WPFJ3DialogFixture {
protected:
    void SetUp() override
    {
        WPFJ3DialogFixture::SetUp();
        SetEInfoPermission(2);
    }

    static std::string NotesFolder() { return (GetJ3DataPath(0) + "eInfo").str(); }
    static std::string BefundNotes(const char* owner, const char* key)
    {
        return NotesFolder() + "\\" + owner + "\\jt-j3dialoge-DiaBefund." + key;
    }

    // Stores the notes "alt 0", "alt 1", "alt 2" of DiaBefund, key 4711, user 12 (per workstation).
    std::map<std::string, std::string> StoreOldNotes()
    {
        std::map<std::string, std::string> files;
        for (int i = 0; i < 3; ++i) {
            const std::string path = BefundNotes("w1", "4711") + "." + std::to_string(i);
            StoreFile(path, "alt " + std::to_string(i));
            files[path] = "alt " + std::to_string(i);
        }
        return files;
    }
};

TEST_F(EInfoTest, NotesAreStoredOneFilePerNoteUnderUserOrWorkstation)
{
    struct SCase {
        bool perUser;
        SProgramUser who;
        const char* markupKey;
        const char* key;
        const char* readKey;  // the same key in another spelling
        const char* basePath; // below the notes folder
    };
    const SCase cases[] = {
        {true, {"3", "  12"}, Befund, "4711", "  4711", "p12\\jt-j3dialoge-DiaBefund.4711"},
        {false, {" 27", "12"}, Befund, "0815", "0815", "w27\\jt-j3dialoge-DiaBefund.0815"},
        {false, {"27", "12"}, "DiaBefund", "   ", "", "w27\\DiaBefund.0"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.basePath);
        Execute("DELETE FROM files; DELETE FROM parpool");
        SetParameter("  0", "usrpostit", c.perUser ? "1" : "0");
        RunProgram(c.who, [&] {
            WriteNotes(c.markupKey, c.key, Texts({"Kontrolle in 6 Wochen", "Zahn 16 beobachten", "R\xF6ntgen"}));
            EXPECT_EQ(ReadNotes(c.markupKey, c.readKey),
                      Texts({"Kontrolle in 6 Wochen", "Zahn 16 beobachten", "R\xF6ntgen"}));
        });
        const std::string base = NotesFolder() + "\\" + c.basePath;
        const std::map<std::string, std::string> expected = {
            {base + ".0", "Kontrolle in 6 Wochen"}, {base + ".1", "Zahn 16 beobachten"}, {base + ".2", "R\xF6ntgen"}};
        EXPECT_EQ(StoredFiles(NotesFolder()), expected);
    }
}

TEST_F(EInfoTest, NotesComeBackInTheOrderTheyWereWrittenAlsoBeyondTen)
{
    std::vector<CString> twelve;
    for (int i = 0; i < 12; ++i)
        twelve.push_back(CString(("Notiz " + std::to_string(i)).c_str()));
    // A neighbouring key whose name starts the same way keeps its note.
    const std::string neighbour = BefundNotes("w1", "47111") + ".0";
    StoreFile(neighbour, "Nachbar");
    RunProgram(Workstation1User12, [&] {
        CBoxAnswerer boxes;
        WriteNotes(Befund, "4711", twelve);
        EXPECT_EQ(ReadNotes(Befund, "4711"), twelve);
        // Fewer notes replace all of them, numbered from 0 again.
        WriteNotes(Befund, "4711", Texts({"neu 0", "neu 1"}));
        EXPECT_EQ(ReadNotes(Befund, "4711"), Texts({"neu 0", "neu 1"}));
        EXPECT_TRUE(boxes.Records().empty());
    });
    std::map<std::string, std::string> expected = {{BefundNotes("w1", "4711") + ".0", "neu 0"},
                                                   {BefundNotes("w1", "4711") + ".1", "neu 1"},
                                                   {neighbour, "Nachbar"}};
    EXPECT_EQ(StoredFiles(NotesFolder() + "\\w1"), expected);

    // Closing without notes removes the stored ones.
    RunProgram(Workstation1User12, [] { WriteNotes(Befund, "4711", {}); });
    expected = {{neighbour, "Nachbar"}};
    EXPECT_EQ(StoredFiles(NotesFolder() + "\\w1"), expected);
}

TEST_F(EInfoTest, EmptyFilesAreLeftOutAndOtherNamesFollowTheNumberedNotes)
{
    const std::string base = BefundNotes("w1", "4711");
    StoreFile(base + ".notiz", "D");
    StoreFile(base + ".10", "C");
    StoreFile(base + ".2", "B");
    StoreFile(base + ".1", "");
    StoreFile(base + ".0", "A");
    RunProgram(Workstation1User12, [] { EXPECT_EQ(ReadNotes(Befund, "4711"), Texts({"A", "B", "C", "D"})); });
}

TEST_F(EInfoTest, AFailingFileKeepsAllStoredNotesAndIsReported)
{
    struct SCase {
        const char* event;
        const char* condition;
        const char* message;
        std::vector<const char*> failingNotes;
    };
    const SCase cases[] = {
        {"INSERT", "CAST(NEW.path AS TEXT) LIKE '%.1'", "Fehler beim Speichern einer eInfo:\n", {".1"}},
        {"DELETE", "CAST(OLD.path AS TEXT) LIKE '%.2'", "Fehler beim L\xC3\xB6schen einer eInfo:\n", {".2"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(c.event) + " " + c.condition);
        Execute("DELETE FROM files");
        const std::map<std::string, std::string> oldNotes = StoreOldNotes();
        RunProgram(Workstation1User12, [&] {
            CBoxAnswerer boxes;
            FailStatement(c.event, "files", c.condition, "Testfehler");
            WriteNotes(Befund, "4711", Texts({"neu 0", "neu 1"}));
            const std::vector<SBoxRecord> errors = boxes.RecordsOf(EBoxKind::Error);
            ASSERT_EQ(errors.size(), c.failingNotes.size());
            for (std::size_t i = 0; i < errors.size(); ++i) {
                const std::string start = c.message + BefundNotes("w1", "4711") + c.failingNotes[i] + "\n";
                EXPECT_EQ(errors[i].text.substr(0, start.size()), start);
            }
        });
        EXPECT_EQ(StoredFiles(NotesFolder()), oldNotes);
    }
}

TEST_F(EInfoTest, AProgramKilledWhileStoringLeavesTheOldNotes)
{
    const std::map<std::string, std::string> oldNotes = StoreOldNotes();
    const pid_t program = StartProgram(Workstation1User12, [] {
        // Dies after the old notes were deleted and the first new one saved.
        HookStatement("INSERT", "files", "CAST(NEW.path AS TEXT) LIKE '%.1'", [] { raise(SIGKILL); });
        WriteNotes(Befund, "4711", Texts({"neu 0", "neu 1", "neu 2"}));
        ADD_FAILURE() << "the program was not stopped while storing";
    });
    ASSERT_GT(program, 0);
    const int status = WaitForProgram(program);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
    EXPECT_EQ(StoredFiles(NotesFolder()), oldNotes);
    EXPECT_TRUE(IsDatabaseIntact());
}

} // namespace
