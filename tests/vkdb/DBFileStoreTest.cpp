#include "PracticeFile.h"

#include "support/UncheckedStoreRow.h"
#include "vkdb/DBFileFind.h"
#include "vkdb/VKTransaction.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string Upper(const std::string& text)
{
    return CString(text).MakeUpper().str();
}

std::vector<CString> Listing(CDBFileFind& finder)
{
    std::vector<CString> paths;
    for (int more = 1; more;) {
        more = finder.FindNextFileA();
        paths.push_back(finder.GetFilePath());
    }
    return paths;
}

} // namespace

using ::testing::AllOf;
using ::testing::HasSubstr;

TEST_F(PracticeFile, UnusualPathsAndContentsRoundTripExactly)
{
    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += static_cast<char>(b);
    const std::vector<std::string> contents = {"", std::string(3, '\0'), allBytes + allBytes,
                                               std::string(3 << 20, '\x80')};
    const std::vector<std::string> paths = {
        "C:\\P\\100% sicher.txt", "C:\\P\\1000 sicher.txt",  // % is no wildcard
        "C:\\P\\a_b.txt",         "C:\\P\\aXb.txt",          // nor is _
        "C:\\P\\[x].txt",         "C:\\P\\x.txt",            // nor are brackets
        "C:\\P\\it's.txt",        "C:\\P\\ .leer",
        "C:\\P\\M\xFCller \xC4rger \xDF.txt", "C:\\P\\" + std::string(255, 'L'), "C:\\P\\\x7F\x80\xFF.bin",
    };
    for (std::size_t i = 0; i < paths.size(); ++i)
        ASSERT_TRUE(store.SaveFile(paths[i], contents[i % contents.size()])) << paths[i];
    for (std::size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(paths[i]);
        CString content("vorher");
        ASSERT_TRUE(store.LoadFile(paths[i], content));
        EXPECT_EQ(content.str(), contents[i % contents.size()]);
        const std::vector<SDBFileEntry> found = store.Find(paths[i]);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].path.str(), paths[i]);
        EXPECT_EQ(found[0].length, content.str().size());
    }
    EXPECT_EQ(store.Find("C:\\P\\*").size(), paths.size());
}

TEST_F(PracticeFile, CaseAndSeparatorsDoNotMatterButTheFirstSpellingStays)
{
    const std::int64_t before = std::time(nullptr);
    ASSERT_TRUE(store.SaveFile("C:\\Daten\\\xC4rzte\\Brief.TXT", "alt"));
    EXPECT_GE(store.Find("C:\\Daten\\\xC4rzte\\Brief.TXT").at(0).lastWriteTime, before);
    for (const char* spelling : {"c:/daten/\xE4rzte/brief.txt", "C:\\\\DATEN\\\\\xC4RZTE\\BRIEF.txt"}) {
        SCOPED_TRACE(spelling);
        CString content;
        EXPECT_TRUE(store.LoadFile(spelling, content));
        EXPECT_EQ(content, "alt");
    }
    ASSERT_TRUE(store.SaveFile("c:/daten/\xE4rzte/BRIEF.txt", "neu und l\xE4nger", 1234));
    const std::vector<SDBFileEntry> entries = store.Find("C:\\DATEN\\\xC4RZTE\\*");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, "C:\\Daten\\\xC4rzte\\Brief.TXT");
    EXPECT_EQ(entries[0].length, 14u);
    EXPECT_EQ(entries[0].lastWriteTime, 1234);
    // In display order too, each entry keeps its own spelling, also of its
    // directory, whichever way the directory is asked for.
    ASSERT_TRUE(store.SaveFile("C:\\DATEN\\\xC4RZTE\\Zweiter.txt", "x"));
    const struct { const char* dir; std::vector<std::string> paths; } cases[] = {
        {"C:\\Daten\\\xC4rzte", {"C:\\Daten\\\xC4rzte\\Brief.TXT", "C:\\DATEN\\\xC4RZTE\\Zweiter.txt"}},
        {"c:/daten/\xE4rzte/", {"C:\\Daten\\\xC4rzte\\Brief.TXT", "C:\\DATEN\\\xC4RZTE\\Zweiter.txt"}},
        {"c:\\DATEN", {"C:\\Daten\\\xC4rzte\\"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayNames(c.dir, true), c.paths) << c.dir;
}

// The store itself refuses paths no dialog could show, so no caller can leave
// a file that is lost to every user. (The path rules have their fuzz target.)
TEST_F(PracticeFile, PathsNoDialogCouldShowAreRefusedAndNothingIsStored)
{
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {std::string("C:\\d\\x\0y", 8), "NUL"},
        {"C:\\J3\\Daten\\..\\..\\evil.txt", "\"..\" ist unter Windows nicht erlaubt"},
        {"C:\\d\\CON", "\"CON\" ist unter Windows nicht erlaubt"},
        {"C:\\d\\" + std::string(256, 'L'), "l\xE4nger als 255 Zeichen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.substr(0, 40));
        EXPECT_FALSE(store.SaveFile(c.path, "x"));
        EXPECT_THAT(db.GetLastError().str(), AllOf(HasSubstr("Ung\xFCltiger Dateipfad"), HasSubstr(c.reason)));
    }
    EXPECT_TRUE(Names("*").empty());
}

TEST_F(PracticeFile, FilesAndDirectoriesCannotShareANameAndEmptyDirectoriesGo)
{
    ASSERT_TRUE(store.SaveFile("C:\\d\\datei", "f"));
    ASSERT_TRUE(store.SaveFile("C:\\d\\ordner\\f.txt", "f"));
    for (const char* path : {"C:\\d\\datei\\unter.txt", "C:\\D\\DATEI\\a\\b", "C:\\d\\ordner", "c:\\D\\ORDNER"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(store.SaveFile(path, "x"));
    }
    EXPECT_EQ(Names("C:\\d\\*"), (std::set<std::string>{"datei", "ordner\\"}));
    EXPECT_TRUE(store.SaveFile("C:\\d\\ordner2", "Nachbar, kein Unterordner"));

    EXPECT_FALSE(store.RemoveFile("C:\\d\\ordner\\fehlt.txt"));
    EXPECT_FALSE(store.RemoveFile("C:\\d\\ordner"));
    EXPECT_TRUE(store.RemoveFile("c:\\D\\ORDNER\\F.TXT"));
    CString content;
    EXPECT_FALSE(store.LoadFile("C:\\d\\ordner\\f.txt", content));
    EXPECT_EQ(Names("C:\\d\\*"), (std::set<std::string>{"datei", "ordner2"}));
    EXPECT_EQ(DisplayNames("C:\\d"), (std::vector<std::string>{"datei", "ordner2"}));
}

// Finders step through a listing, stop after the last entry and keep their
// own listing while others are alive or after one ended.
TEST_F(PracticeFile, FindersStepThroughTheirOwnListings)
{
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(store.SaveFile(CString("C:\\gross\\") + CString(std::to_string(100 + i)), "x"));
    for (const char* path : {"C:\\f\\a.txt", "C:\\f\\b.txt", "C:\\f\\c\\d.txt"})
        ASSERT_TRUE(store.SaveFile(path, "12345", 99));
    {
        CDBFileFind big(&db);
        ASSERT_NE(big.FindFile("C:\\gross\\*"), 0);
    }  // leaves its buffers for the next search
    CDBFileFind finder(&db);
    EXPECT_EQ(finder.FindFile("C:\\f\\nichts*"), 0);
    EXPECT_EQ(finder.FindFile(nullptr), 0);
    ASSERT_NE(finder.FindFile("C:\\f\\*", 0), 0);
    EXPECT_EQ(finder.GetFilePath(), "") << "no entry before the first step";
    {
        CDBFileFind inner(&db);
        ASSERT_NE(inner.FindFile("C:\\gross\\10*"), 0);
        EXPECT_EQ(Listing(inner).size(), 10u);
    }
    EXPECT_EQ(Listing(finder), (std::vector<CString>{"C:\\f\\a.txt", "C:\\f\\b.txt", "C:\\f\\c"}));
    std::int64_t time = -1;
    EXPECT_TRUE(finder.GetLastWriteTime(time));
    EXPECT_EQ(std::to_string(finder.IsDirectory()) + "|" + finder.GetFileName().str() + "|" + std::to_string(time),
              "1|c|0");
    EXPECT_EQ(finder.FindNextFileA(), 0);
    CDBFileFind after(&db);
    ASSERT_NE(after.FindFile("C:\\gross\\149"), 0);
    EXPECT_EQ(Listing(after), (std::vector<CString>{"C:\\gross\\149"}));
}

TEST_F(PracticeFile, WildcardsSelectFromTheLastElementOnly)
{
    for (const char* path : {"C:\\d\\a.txt", "C:\\d\\b.TXT", "C:\\d\\c.log", "C:\\d\\readme", "C:\\d\\x.y.txt",
                             "C:\\d\\sub\\f1", "C:\\d\\sub\\f2", "C:\\d\\Sub2\\tief\\g", "C:\\d2\\daneben.txt"})
        ASSERT_TRUE(store.SaveFile(path, "x")) << path;
    // Names with wildcards in them, as older databases may hold them.
    for (const char* path : {"C:\\d*x\\stern.txt", "C:\\W\\*aX", "C:\\W\\baX"})
        ASSERT_TRUE(j3test::StoreUnchecked(db, path));
    const std::set<std::string> all = {"a.txt", "b.TXT", "c.log", "readme", "x.y.txt", "sub\\", "Sub2\\"};
    const std::map<std::string, std::set<std::string>> cases = {
        {"C:\\d\\*", all},
        {"C:\\d\\*.*", all},
        {"C:\\d\\*.txt", {"a.txt", "b.TXT", "x.y.txt"}},
        {"c:\\D\\?.TxT", {"a.txt", "b.TXT"}},
        {"C:\\d\\SUB*", {"sub\\", "Sub2\\"}},
        {"C:\\d\\s?b", {"sub\\"}},
        {"C:\\d\\nichts*", {}},
        {"C:\\d\\", {}},
        {"C:\\d*x\\*", {"stern.txt"}},
        {"C:\\*", {"d\\", "d2\\", "d*x\\", "W\\"}},
        {"C:\\W\\*X", {"*aX", "baX"}},
        {"C:\\W\\*a", {}},
        {"*", {"C:\\"}},
    };
    for (const auto& [pattern, expected] : cases) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(Names(pattern.c_str()), expected);
    }
    // A count bounds the answer.
    EXPECT_EQ(store.Find("C:\\d\\*", 2).size(), 2u);
    EXPECT_TRUE(store.Find("C:\\d\\*", 0).empty());
}

// Names built from characters that sort next to the separator and to "]"
// (and letters in both cases), so that the skip over each subdirectory is
// checked against every neighbour it could wrongly jump over or into.
TEST_F(PracticeFile, EveryDirectoryListsExactlyItsDirectChildren)
{
    const std::string alphabet = "aB[]^_\x5B\x60.\xE4\xC4";
    std::mt19937 random(20240607);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(1, 3);
    std::uniform_int_distribution<int> depth(1, 4);
    std::map<std::string, std::string> files;  // key -> spelling; the first spelling of a key wins
    {
        CVKTransaction bulk(db);
        for (int i = 0; i < 600; ++i) {
            std::string path = "C:";
            for (int d = depth(random); d > 0; --d) {
                path += "\\";
                for (int n = length(random); n > 0; --n)
                    path += alphabet[letter(random)];
            }
            // The store refuses what would put a file where a directory is.
            if (store.SaveFile(CString(path), "x"))
                files.emplace(Upper(path), path);
        }
        // A directory of more entries than the listing reads at once, one
        // of them a subdirectory right behind the first batch.
        for (int i = 0; i < 2100; ++i) {
            const std::string path = "C:\\viele\\" + std::to_string(10000 + i) + (i == 1000 ? "\\x" : "");
            ASSERT_TRUE(store.SaveFile(CString(path), "x"));
            files.emplace(Upper(path), path);
        }
        ASSERT_TRUE(bulk.Commit());
    }
    ASSERT_GT(files.size(), 300u);

    // Expected children of every directory, by brute force over all files.
    std::map<std::string, std::set<std::string>> children;  // directory key -> entry names (upper case)
    for (const auto& [key, path] : files) {
        for (std::size_t cut = key.find('\\'); cut != std::string::npos; cut = key.find('\\', cut + 1)) {
            const std::size_t next = key.find('\\', cut + 1);
            const std::string child = key.substr(cut + 1, next == std::string::npos ? next : next - cut - 1);
            children[key.substr(0, cut)].insert(child + (next == std::string::npos ? "" : "\\"));
        }
    }
    for (const auto& [dir, expected] : children) {
        SCOPED_TRACE(dir);
        std::set<std::string> listed;
        for (const std::string& entry : Names(CString(dir + "\\*")))
            listed.insert(Upper(entry));
        EXPECT_EQ(listed, expected);
        // The same entries in display order: directories, then files, each
        // by name byte by byte as spelt.
        const std::vector<std::string> shown = DisplayNames(CString(dir));
        const auto key = [](const std::string& entry) {
            return entry.back() == '\\' ? std::pair(false, entry.substr(0, entry.size() - 1)) : std::pair(true, entry);
        };
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(),
                                   [&](const std::string& a, const std::string& b) { return key(a) < key(b); }));
        listed.clear();
        for (const std::string& entry : shown)
            listed.insert(Upper(entry));
        EXPECT_EQ(listed, expected);
    }
    // The store answers other questions while a listing is read.
    std::size_t present = 0;
    EXPECT_TRUE(store.Visit("C:\\viele\\*", [&](const SDBFileEntryView& entry) {
        present += entry.isDirectory || store.FileExists(CString(entry.path));
        return true;
    }));
    EXPECT_EQ(present, 2100u);
}

namespace {

constexpr int BaseLength = 200000;

// Generation g of the file: BaseLength + g * 7 bytes, every byte g % 251.
// Anything else found after a kill is a torn write.
CString Generation(int g)
{
    return CString(static_cast<char>(g % 251), BaseLength + g * 7);
}

[[noreturn]] void WriteGenerationsForever(const std::filesystem::path& location, int first)
{
    CVKDatabase db;
    if (!db.Open(location))
        _exit(2);
    CDBFileStore store(db);
    for (int g = first;; ++g)
        if (!store.SaveFile("C:\\absturz\\datei.bin", Generation(g)))
            _exit(3);
}

} // namespace

TEST_F(PracticeFile, KilledWriterLeavesTheOldOrTheNewContent)
{
    ASSERT_TRUE(store.SaveFile("C:\\absturz\\datei.bin", Generation(0)));
    db.Close();
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> delayUs(500, 60000);
    int lastGeneration = 0;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            WriteGenerationsForever(Location(), lastGeneration + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with " << WEXITSTATUS(status);

        ASSERT_TRUE(db.Open(Location())) << db.GetLastError().GetString();
        // A server may still commit what the killed writer sent last; holding
        // the write lock waits for that and keeps the reads below together.
        CVKTransaction settled(db);
        ASSERT_TRUE(settled.IsActive()) << db.GetLastError().GetString();
        CString content;
        ASSERT_TRUE(store.LoadFile("C:\\absturz\\datei.bin", content));
        const int generation = (content.GetLength() - BaseLength) / 7;
        EXPECT_GE(generation, lastGeneration);
        EXPECT_TRUE(content == Generation(generation)) << "torn content of length " << content.GetLength();
        EXPECT_EQ(store.Find("C:\\absturz\\datei.bin").at(0).length, static_cast<std::uint64_t>(content.GetLength()));
        EXPECT_TRUE(db.CheckIntegrity()) << db.GetLastError().GetString();
        settled.Rollback();
        db.Close();
        lastGeneration = generation;
    }
}
