#include "J3DbToolFixture.h"

#include "j3db/J3DbTool.h"
#include "support/TestDatabase.h"

#include <gmock/gmock.h>

#include <sqlite3.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>

using ::testing::HasSubstr;

namespace {

class J3DbMigrateTest : public J3DbToolFixture {
protected:
    // The other side of a copy: a practice on the test server in the "pg."
    // run, else a file.
    std::string Other(const char* file) const
    {
        return j3test::OnServer() ? j3test::NewPracticeDatabase(m_dir).string() : m_dir.file(file);
    }
};

// Every record of every table of a practice file, sorted, row numbers of the
// file store left out: read with SQLite itself, beside the tool's own reading.
std::string Records(const std::string& file)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::vector<std::string> rows;
    sqlite3_stmt* tables = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_schema WHERE type = 'table'", -1, &tables, nullptr);
    while (sqlite3_step(tables) == SQLITE_ROW) {
        const std::string table = reinterpret_cast<const char*>(sqlite3_column_text(tables, 0));
        sqlite3_stmt* read = nullptr;
        sqlite3_prepare_v2(db, ("SELECT * FROM " + table).c_str(), -1, &read, nullptr);
        while (sqlite3_step(read) == SQLITE_ROW) {
            std::string row = table;
            for (int i = 0; i < sqlite3_column_count(read); ++i) {
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(read, i));
                if (std::string(sqlite3_column_name(read, i)) != "id")
                    row += "|" + (bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(read, i))) : "");
            }
            rows.push_back(row);
        }
        sqlite3_finalize(read);
    }
    sqlite3_finalize(tables);
    sqlite3_close(db);
    std::sort(rows.begin(), rows.end());
    std::string all;
    for (const auto& row : rows)
        all += row + "\n";
    return all;
}

// The error stream of a run that is interrupted as Ctrl+C would, when the
// first line of progress arrives.
class CInterruptingStream : public std::stringbuf {
protected:
    int sync() override
    {
        if (!m_raised)
            m_raised = std::raise(SIGINT) == 0;
        return 0;
    }

private:
    bool m_raised = false;
};

TEST_F(J3DbMigrateTest, ThereAndBackGivesTheSameRecordsAndStoreBytes)
{
    // The sample holds umlauts in 1252 and a picture: bytes of every kind.
    Ok({"init", "--sample"});
    const std::string there = Other("dort/praxis.j3db");
    const std::string back = m_dir.file("zurueck.j3db");
    for (const auto& [from, to] : {std::pair{m_database, there}, std::pair{there, back}}) {
        const SResult copied = RunPlain({"migrate", from, to});
        EXPECT_EQ(copied.exitCode, 0) << copied.err;
        EXPECT_THAT(copied.out, HasSubstr("kopiert und geprüft"));
        EXPECT_THAT(copied.err, HasSubstr("100% "));
    }
    EXPECT_EQ(Records(back), Records(m_database));
    EXPECT_THAT(Records(back), HasSubstr("\x89PNG"));

    const std::string before = j3test::FileBytes(back);
    const SResult refused = RunPlain({"migrate", m_database, back});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.err, HasSubstr("Im Ziel gibt es schon eine Praxis"));
    EXPECT_EQ(j3test::FileBytes(back), before);
}

// A sample the store refuses (a data root with a name no dialog shows)
// leaves nothing behind, on a server too: the next init finds it empty.
TEST_F(J3DbMigrateTest, AFailedInitLeavesNothingBehind)
{
    const std::string target = Other("neu.j3db");
    std::ofstream(m_dir.file("fehler.ini")) << "[paths]\ndata = D:\\Pra|xis\\\n";
    setenv("J3_CONFIG", m_dir.file("fehler.ini").c_str(), 1);
    const SResult failed = RunPlain({"init", "--sample", target});
    setenv("J3_CONFIG", m_configFile.c_str(), 1);
    EXPECT_THAT(failed.err, HasSubstr("Beispielpraxis kann nicht angelegt werden, nichts ist angelegt"));
    const SResult again = RunPlain({"init", "--sample", target});
    EXPECT_EQ(again.exitCode, 0) << again.err;
}

TEST_F(J3DbMigrateTest, AnInterruptedCopyLeavesNoPractice)
{
    Ok({"init", "--sample"});
    const std::string target = Other("neu.j3db");
    CInterruptingStream interrupting;
    std::ostream err(&interrupting);
    std::ostringstream out;
    CJ3DbTool tool(out, err, false);
    EXPECT_EQ(tool.Run({"migrate", m_database, target}), 1);
    EXPECT_THAT(interrupting.str(), HasSubstr("Abgebrochen; ins Ziel ist nichts kopiert"));
    // Nothing beside the configuration and the source, or nothing on the
    // server: a second copy finds the target empty.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 2);
    const SResult again = RunPlain({"migrate", m_database, target});
    EXPECT_EQ(again.exitCode, 0) << again.err;
}

} // namespace
