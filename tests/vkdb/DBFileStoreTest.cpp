#include "PracticeFile.h"

#include "vkdb/DBFileFind.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/DBStorePath.h"

#include <ctime>
#include <string>
#include <vector>

namespace {

class FileStore : public PracticeFile {
protected:
    std::vector<CString> Paths(const CString& pattern)
    {
        std::vector<CString> paths;
        for (const SDBFileEntry& entry : store.Find(pattern))
            paths.push_back(entry.path + (entry.isDirectory ? "\\" : ""));
        return paths;
    }

    CDBFileStore store{db};
};

CString Bytes(const std::string& bytes)
{
    return CString(bytes.data(), static_cast<int>(bytes.size()));
}

} // namespace

TEST_F(FileStore, UnusualPathsAreStoredAndFoundExactly)
{
    const std::string longName(255, 'L');
    const std::vector<std::string> paths = {
        "C:\\P\\100% sicher.txt", "C:\\P\\1000 sicher.txt",  // % is no wildcard
        "C:\\P\\a_b.txt",         "C:\\P\\aXb.txt",          // nor is _
        "C:\\P\\[x].txt",         "C:\\P\\x.txt",            // nor are brackets
        "C:\\P\\it's.txt",        "C:\\P\\ .leer",
        "C:\\P\\M\xFCller \xC4rger \xDF.txt",
        "C:\\P\\" + longName,     std::string("C:\\P\\\x7F\x80\xFF.bin"),
    };
    for (std::size_t i = 0; i < paths.size(); ++i)
        ASSERT_TRUE(store.SaveFile(Bytes(paths[i]), Bytes("Inhalt " + std::to_string(i)))) << paths[i];

    for (std::size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(paths[i]);
        const CString path = Bytes(paths[i]);
        CString content;
        ASSERT_TRUE(store.LoadFile(path, content));
        EXPECT_EQ(content, Bytes("Inhalt " + std::to_string(i)));
        const std::vector<SDBFileEntry> found = store.Find(path);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].path, path);
    }
    EXPECT_EQ(store.Find("C:\\P\\*").size(), paths.size());
}

TEST_F(FileStore, CaseAndSeparatorsDoNotMatterButTheFirstSpellingStays)
{
    const std::int64_t before = std::time(nullptr);
    ASSERT_TRUE(store.SaveFile("C:\\Daten\\\xC4rzte\\Brief.TXT", "alt"));
    EXPECT_GE(store.Find("C:\\Daten\\\xC4rzte\\Brief.TXT").at(0).lastWriteTime, before);
    for (const char* spelling : {"c:/daten/\xE4rzte/brief.txt", "C:\\\\DATEN\\\\\xC4RZTE\\BRIEF.txt"}) {
        SCOPED_TRACE(spelling);
        CString content;
        EXPECT_TRUE(store.LoadFile(spelling, content));
        EXPECT_EQ(content, "alt");
        EXPECT_EQ(Paths(spelling), (std::vector<CString>{"C:\\Daten\\\xC4rzte\\Brief.TXT"}));
    }
    ASSERT_TRUE(store.SaveFile("c:/daten/\xE4rzte/BRIEF.txt", "neu und l\xE4nger", 1234));
    const std::vector<SDBFileEntry> entries = store.Find("C:\\DATEN\\\xC4RZTE\\*");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, "C:\\Daten\\\xC4rzte\\Brief.TXT");
    EXPECT_EQ(entries[0].length, 14u);
    EXPECT_EQ(entries[0].lastWriteTime, 1234);
}

TEST_F(FileStore, ContentRoundTripsByteForByte)
{
    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += static_cast<char>(b);
    for (const std::string& bytes : {std::string(), std::string(3, '\0'), allBytes + allBytes,
                                     std::string(3 << 20, '\x80')}) {
        SCOPED_TRACE(bytes.size());
        ASSERT_TRUE(store.SaveFile("C:\\bin\\daten.bin", Bytes(bytes)));
        CString loaded("vorher");
        ASSERT_TRUE(store.LoadFile("C:\\bin\\daten.bin", loaded));
        EXPECT_EQ(loaded.str(), bytes);
        EXPECT_EQ(store.Find("C:\\bin\\daten.bin").at(0).length, bytes.size());
    }
}

// Paths that no dialog would show: the store itself refuses them, so no
// caller can leave a file that is lost to every user. (The Windows name
// rules themselves have their own tests.)
TEST_F(FileStore, PathsNoDialogCouldShowAreRefusedAndNothingIsStored)
{
    std::string deepest = "C:";
    while (deepest.size() + 2 <= CDBStorePath::MaxPathLength)
        deepest += "\\a";
    ASSERT_TRUE(store.SaveFile(Bytes(deepest), "tief")) << db.GetLastError().GetString();
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {"", "leer"},
        {"C:\\d\\", "Trennzeichen am Ende"},
        {std::string("C:\\d\\x\0y", 9), "NUL"},
        {"C:\\J3\\Daten\\..\\..\\evil.txt", "\"..\" ist unter Windows nicht erlaubt"},
        {"relative.txt", "kein absoluter Pfad"},
        {"/etc/evil.txt", "kein absoluter Pfad"},
        {"C:x.txt", "kein absoluter Pfad"},
        {"\\\\server\\freigabe\\f.txt", "kein absoluter Pfad"},
        {"\xC4:\\x.txt", "kein absoluter Pfad"},
        {"C:\\d\\CON", "\"CON\" ist unter Windows nicht erlaubt"},
        {"C:\\d\\a\x01\\x.txt", "Steuerzeichen"},
        {"C:\\d\\" + std::string(256, 'L'), "l\xE4nger als 255 Zeichen"},
        {deepest + "\\b", "l\xE4nger als 32767 Zeichen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.substr(0, 40));
        EXPECT_FALSE(store.SaveFile(Bytes(c.path), "x"));
        EXPECT_TRUE(db.GetLastError().Find("Ung\xFCltiger Dateipfad") >= 0) << db.GetLastError().GetString();
        EXPECT_TRUE(db.GetLastError().Find(c.reason) >= 0) << db.GetLastError().GetString();
    }
    EXPECT_EQ(Paths("*"), (std::vector<CString>{"C:\\"}));
    EXPECT_EQ(Paths("C:\\*"), (std::vector<CString>{"C:\\a\\"}));
}

TEST_F(FileStore, FilesAndDirectoriesCannotShareAName)
{
    ASSERT_TRUE(store.SaveFile("C:\\d\\datei", "f"));
    ASSERT_TRUE(store.SaveFile("C:\\d\\ordner\\f.txt", "f"));
    const std::vector<const char*> refused = {"C:\\d\\datei\\unter.txt", "C:\\D\\DATEI\\a\\b", "C:\\d\\ordner",
                                              "c:\\D\\ORDNER"};
    for (const char* path : refused) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(store.SaveFile(path, "x"));
    }
    EXPECT_EQ(Paths("C:\\d\\*"), (std::vector<CString>{"C:\\d\\datei", "C:\\d\\ordner\\"}));
    EXPECT_TRUE(store.SaveFile("C:\\d\\ordner2", "Nachbar, kein Unterordner"));
}

TEST_F(FileStore, DeletingTheLastFileRemovesItsDirectory)
{
    ASSERT_TRUE(store.SaveFile("C:\\d\\sub\\a.txt", "a"));
    EXPECT_FALSE(store.RemoveFile("C:\\d\\sub\\fehlt.txt"));
    EXPECT_FALSE(store.RemoveFile("C:\\d\\sub"));
    EXPECT_EQ(Paths("C:\\d\\*"), (std::vector<CString>{"C:\\d\\sub\\"}));
    EXPECT_TRUE(store.RemoveFile("c:\\D\\SUB\\A.TXT"));
    EXPECT_FALSE(store.FileExists("C:\\d\\sub\\a.txt"));
    CString content;
    EXPECT_FALSE(store.LoadFile("C:\\d\\sub\\a.txt", content));
    EXPECT_TRUE(store.Find("C:\\d\\*").empty());
}

TEST_F(FileStore, FinderStepsThroughEveryEntryAndFlagsTheLast)
{
    for (const char* path : {"C:\\f\\a.txt", "C:\\f\\b.txt", "C:\\f\\c\\d.txt"})
        ASSERT_TRUE(store.SaveFile(path, "12345", 99));
    CDBFileFind finder(&db);
    EXPECT_EQ(finder.FindFile("C:\\f\\nichts*"), 0);
    EXPECT_EQ(finder.FindFile(nullptr), 0);
    ASSERT_NE(finder.FindFile("C:\\f\\*", 0), 0);
    EXPECT_EQ(finder.GetFilePath(), "") << "no entry before the first step";
    std::vector<std::string> seen;
    for (int more = 1; more;) {
        more = finder.FindNextFileA();
        std::int64_t time = -1;
        ASSERT_TRUE(finder.GetLastWriteTime(time));
        seen.push_back(finder.GetFilePath().str() + "|" + finder.GetFileName().str() + "|" +
                       std::to_string(finder.IsDirectory()) + "|" + std::to_string(finder.GetLength()) + "|" +
                       std::to_string(time) + "|" + std::to_string(more));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\f\\a.txt|a.txt|0|5|99|1", "C:\\f\\b.txt|b.txt|0|5|99|1",
                                              "C:\\f\\c|c|1|0|0|0"}));
    EXPECT_EQ(finder.FindNextFileA(), 0);
}

TEST_F(FileStore, FindFirstGivesAHandleOnlyWhenSomethingMatches)
{
    // FindFirstFileA works on the running program's connection.
    db.Close();
    ASSERT_TRUE(dbDatabase.Open(Location()));
    ASSERT_TRUE(CDBFileStore(dbDatabase).SaveFile("C:\\h\\Brief.txt", "x"));
    SDBFileEntry data;
    EXPECT_EQ(CDBFileFind::FindFirstFileA("C:\\h\\*.doc", &data), CDBFileFind::InvalidHandleValue());
    EXPECT_EQ(CDBFileFind::FindFirstFileA(nullptr, &data), CDBFileFind::InvalidHandleValue());
    EXPECT_EQ(CDBFileFind::InvalidHandleValue(), reinterpret_cast<void*>(~std::uintptr_t{0}));
    EXPECT_NE(CDBFileFind::FindFirstFileA("c:\\H\\*", &data), CDBFileFind::InvalidHandleValue());
    EXPECT_EQ(data.path, "C:\\h\\Brief.txt");
    EXPECT_NE(CDBFileFind::FindFirstFileA("C:\\*", nullptr), CDBFileFind::InvalidHandleValue());
    dbDatabase.Close();
}

TEST_F(FileStore, FindersAliveAtOnceOrOneAfterAnotherKeepTheirOwnListings)
{
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(store.SaveFile(CString("C:\\gross\\") + CString(std::to_string(100 + i)), "x"));
    ASSERT_TRUE(store.SaveFile("C:\\klein\\eins.txt", "x"));
    auto listing = [](CDBFileFind& finder) {
        std::vector<CString> paths;
        for (int more = 1; more;) {
            more = finder.FindNextFileA();
            paths.push_back(finder.GetFilePath());
        }
        return paths;
    };
    {
        CDBFileFind big(&db);
        ASSERT_NE(big.FindFile("C:\\gross\\*"), 0);
    }  // leaves its buffers for the next search
    CDBFileFind outer(&db);
    ASSERT_NE(outer.FindFile("C:\\klein\\*"), 0);
    {
        CDBFileFind inner(&db);
        ASSERT_NE(inner.FindFile("C:\\gross\\10*"), 0);
        EXPECT_EQ(listing(inner).size(), 10u);
    }
    EXPECT_EQ(listing(outer), (std::vector<CString>{"C:\\klein\\eins.txt"}));
    CDBFileFind after(&db);
    ASSERT_NE(after.FindFile("C:\\gross\\149"), 0);
    EXPECT_EQ(listing(after), (std::vector<CString>{"C:\\gross\\149"}));
}
