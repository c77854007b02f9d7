#include "PracticeFile.h"

#include "vkdb/DBFileStore.h"
#include "support/UncheckedStoreRow.h"
#include "vkdb/VKTransaction.h"

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

class Listing : public PracticeFile {
protected:
    void Store(const std::vector<std::string>& paths)
    {
        for (const std::string& path : paths)
            ASSERT_TRUE(store.SaveFile(CString(path), "x")) << path << ": " << db.GetLastError().GetString();
    }

    // Entry names, directories marked with a trailing "\".
    std::set<std::string> Names(const std::string& pattern)
    {
        std::set<std::string> names;
        for (const SDBFileEntry& entry : store.Find(CString(pattern))) {
            const std::string& path = entry.path.str();
            const bool inserted = names.insert(path.substr(path.rfind('\\') + 1) + (entry.isDirectory ? "\\" : "")).second;
            EXPECT_TRUE(inserted) << path << " reported twice";
        }
        return names;
    }

    CDBFileStore store{db};
};

std::string Upper(std::string text)
{
    CString upper(text);
    upper.MakeUpper();
    return upper.str();
}

} // namespace

TEST_F(Listing, WildcardsSelectFromTheLastElementOnly)
{
    Store({"C:\\d\\a.txt", "C:\\d\\b.TXT", "C:\\d\\c.log", "C:\\d\\readme", "C:\\d\\x.y.txt", "C:\\d\\sub\\f1",
           "C:\\d\\sub\\f2", "C:\\d\\Sub2\\tief\\g", "C:\\d2\\daneben.txt"});
    // Names with wildcards in them, as older databases may hold them.
    for (const char* path : {"C:\\d*x\\stern.txt", "C:\\W\\*aX", "C:\\W\\baX"})
        ASSERT_TRUE(j3test::StoreUnchecked(db, path));
    const std::map<std::string, std::set<std::string>> cases = {
        {"C:\\d\\*", {"a.txt", "b.TXT", "c.log", "readme", "x.y.txt", "sub\\", "Sub2\\"}},
        {"C:\\d\\*.*", {"a.txt", "b.TXT", "c.log", "readme", "x.y.txt", "sub\\", "Sub2\\"}},
        {"C:\\d\\*.txt", {"a.txt", "b.TXT", "x.y.txt"}},
        {"c:\\D\\?.TxT", {"a.txt", "b.TXT"}},
        {"C:\\d\\SUB*", {"sub\\", "Sub2\\"}},
        {"C:\\d\\s?b", {"sub\\"}},
        {"C:\\d\\x.*", {"x.y.txt"}},
        {"C:\\d\\*e*", {"readme"}},
        {"C:\\d\\readme", {"readme"}},
        {"C:\\d\\sub\\*", {"f1", "f2"}},
        {"C:\\d\\Sub2\\*", {"tief\\"}},
        {"C:\\d\\nichts*", {}},
        {"C:\\d\\", {}},
        {"C:\\d*x\\*", {"stern.txt"}},
        {"C:\\*", {"d\\", "d2\\", "d*x\\", "W\\"}},
        {"C:\\W\\*X", {"*aX", "baX"}},
        {"C:\\W\\**X", {"*aX", "baX"}},
        {"C:\\W\\?aX", {"*aX", "baX"}},
        {"C:\\W\\*a", {}},
        {"*", {"C:\\"}},
    };
    for (const auto& [pattern, expected] : cases) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(Names(pattern), expected);
    }
    // A count bounds the answer.
    EXPECT_EQ(store.Find("C:\\d\\*", 2).size(), 2u);
    EXPECT_TRUE(store.Find("C:\\d\\*", 0).empty());
}

// Names built from characters that sort next to the separator and to "]"
// (and letters in both cases), so that the skip over each subdirectory is
// checked against every neighbour it could wrongly jump over or into.
TEST_F(Listing, EveryDirectoryListsExactlyItsDirectChildren)
{
    const std::string alphabet = "aB[]^_\x5B\x60.\xE4\xC4";
    std::mt19937 random(20240607);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(1, 3);
    std::uniform_int_distribution<int> depth(1, 4);
    auto name = [&] {
        std::string n;
        for (int i = length(random); i > 0; --i)
            n += alphabet[letter(random)];
        return n;
    };

    std::map<std::string, std::string> files;  // key -> spelling; the first spelling of a key wins
    {
        CVKTransaction bulk(db);
        for (int i = 0; i < 600; ++i) {
            std::string path = "C:";
            for (int d = depth(random); d > 0; --d)
                path += "\\" + name();
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
        for (const std::string& entry : Names(dir + "\\*"))
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
