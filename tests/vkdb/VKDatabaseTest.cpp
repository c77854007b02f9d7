#include "PracticeFile.h"

#include "vkbasis/CVKSysBase.h"
#include "vkdb/VKField.h"
#include "vkdb/VKPgConnection.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKSchema.h"
#include "vkdb/VKSortKeyFunction.h"
#include "vkdb/VKTransaction.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <unistd.h>

#include <climits>
#include <fstream>
#include <functional>
#include <map>
#include <vector>

namespace {

void WriteBytes(const std::filesystem::path& file, const std::string& bytes, std::streamoff at = 0)
{
    std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
    if (!out)
        out.open(file, std::ios::binary | std::ios::out);
    out.seekp(at);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Changes a file behind the layer's back, as another program could.
void RawSql(const std::filesystem::path& file, const char* sql)
{
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
    sqlite3_close(raw);
}

// Notes the database errors the layer reports to the program.
class RecordingSysBase : public CVKSysBase {
public:
    RecordingSysBase() { gp_VKSysBase = this; }
    ~RecordingSysBase() override { gp_VKSysBase = nullptr; }
    void DoDBError(const CString& message) override { messages.push_back(message); }
    CString DBErrorString() override { return ", Workstation: 7"; }
    std::vector<CString> messages;
};

} // namespace

using ::testing::HasSubstr;
using ::testing::Not;

TEST(VKDatabaseOpen, RefusedFilesStayUntouched)
{
    if (j3test::OnServer())
        GTEST_SKIP() << "files of their own";
    const std::string newer = "PRAGMA user_version=" + std::to_string(CVKSchema::CurrentVersion() + 1);
    enum Action { Open, Create, OpenPractice };  // OpenPractice: a new practice first changed by make
    const struct {
        const char* name;
        Action action;
        std::function<void(const std::filesystem::path&)> make;
        const char* message;
    } cases[] = {
        {"existing file", Create, [](const auto& f) { WriteBytes(f, "wichtige Daten"); }, "existiert bereits"},
        {"missing file", Open, [](const auto&) {}, "j3db init"},
        {"empty file", Open, [](const auto& f) { WriteBytes(f, ""); }, "keine J3-Praxisdatenbank (sie ist leer)"},
        {"foreign database", Open, [](const auto& f) { RawSql(f, "CREATE TABLE kunden(name TEXT)"); },
         "keine J3-Praxisdatenbank"},
        {"newer schema", OpenPractice, [&](const auto& f) { RawSql(f, newer.c_str()); }, "Programm aktualisieren"},
        {"damaged schema page", OpenPractice,  // behind the 100-byte header
         [](const auto& f) { WriteBytes(f, std::string(3000, '\x5A'), 100); }, "keine lesbare Datenbank"},
        {"schema stamp 0", OpenPractice, [](const auto& f) { RawSql(f, "PRAGMA user_version=0"); },
         "hat Tabellen, aber keine Schemaversion: ihr Kopf ist besch\xE4" "digt. Bitte die letzte Datensicherung"},
        {"dropped table", OpenPractice, [](const auto& f) { RawSql(f, "DROP TABLE protokoll"); },
         "fehlt die Tabelle protokoll: sie ist besch\xE4" "digt"},
        {"folder", Open, [](const auto& f) { std::filesystem::create_directory(f); }, "ist ein Ordner, keine Datei"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSysBase sysBase;
        j3test::TempDir folder;
        const auto file = folder.path() / "datei.j3db";
        if (c.action == OpenPractice) {
            ASSERT_TRUE(CVKDatabase().Create(file));
        }
        c.make(file);
        const bool existed = std::filesystem::exists(file);
        const auto bytes = [&] { return std::filesystem::is_regular_file(file) ? j3test::FileBytes(file) : ""; };
        const std::string before = bytes();
        for (auto mode : {CVKDatabase::EOpenMode::ReadWrite, CVKDatabase::EOpenMode::ReadOnly}) {
            CVKDatabase db;
            EXPECT_FALSE(c.action == Create ? db.Create(file) : db.Open(file, mode));
            EXPECT_FALSE(db.IsOpen());
            EXPECT_THAT(db.GetLastError().str(), HasSubstr(c.message));
            EXPECT_THAT(db.GetLastError().str(), ::testing::Not(HasSubstr("CREATE")));
        }
        // A refused file is the caller's to show, not a fault for the log.
        EXPECT_EQ(sysBase.messages, std::vector<CString>{});
        EXPECT_EQ(bytes(), before);
        EXPECT_EQ(std::filesystem::exists(file), existed);
    }
}

TEST_F(PracticeFile, OlderSchemaIsMigratedKeepingItsRecords)
{
    if (j3test::OnServer())
        GTEST_SKIP() << "changes the file's schema stamp behind the layer's back";
    db.Close();
    // Version 1 had the records but no file store.
    RawSql(Location(), "DROP TABLE files; DROP TABLE subdirs; PRAGMA user_version=1;"
                       "INSERT INTO parpool VALUES(x'323639', x'6B6579', x'76616C7565');");
    CVKDatabase reader;
    EXPECT_FALSE(reader.Open(Location(), CVKDatabase::EOpenMode::ReadOnly));
    EXPECT_THAT(reader.GetLastError().str(), HasSubstr("schreibend"));

    ASSERT_TRUE(db.Open(Location())) << db.GetLastError().GetString();
    EXPECT_EQ(db.GetSchemaVersion(), CVKSchema::CurrentVersion());
    CVKQuery kept(db, "SELECT wert FROM parpool WHERE nr = x'323639'");
    ASSERT_TRUE(kept.Next());
    EXPECT_EQ(kept.ColumnText(0), "value");
    EXPECT_TRUE(store.SaveFile("C:\\neu.txt", "x"));
    EXPECT_TRUE(reader.Open(Location(), CVKDatabase::EOpenMode::ReadOnly));
}

TEST_F(PracticeFile, FilesOfAnOlderStoreListInDisplayOrderAfterTheUpgrade)
{
    if (j3test::OnServer())
        GTEST_SKIP() << "changes the file's schema stamp behind the layer's back";
    db.Close();
    // Version 3 kept neither the names nor the subdirectories.
    RawSql(Location(), "DROP INDEX files_names; DROP TABLE subdirs; ALTER TABLE files DROP COLUMN dirkey;"
                       "ALTER TABLE files DROP COLUMN name; PRAGMA user_version=3;"
                       "INSERT INTO files(pathkey, path, mtime, size, content) SELECT CAST(upper(p) AS BLOB),"
                       " CAST(p AS BLOB), 1, 1, x'' FROM (SELECT 'C:\\b\\alpha.txt' AS p"
                       " UNION SELECT 'C:\\b\\Zeta.txt' UNION SELECT 'C:\\b\\u\\x');");
    ASSERT_TRUE(db.Open(Location())) << db.GetLastError().GetString();
    EXPECT_EQ(DisplayNames("C:\\b"), (std::vector<std::string>{"u\\", "Zeta.txt", "alpha.txt"}));
    EXPECT_EQ(DisplayNames("C:"), (std::vector<std::string>{"b\\"}));
}

TEST_F(PracticeFile, LockedDatabaseWaitsThenReportsAndWritesNothing)
{
    RecordingSysBase sysBase;
    CVKDatabase other;
    ASSERT_TRUE(other.Open(Location()));
    db.SetBusyTimeout(200);
    {
        CVKTransaction otherWrite(other);
        ASSERT_TRUE(CDBFileStore(other).SaveFile("C:\\andere\\a.txt", "von der anderen Station"));
        EXPECT_FALSE(store.SaveFile("C:\\hier\\b.txt", "hier"));
        EXPECT_THAT(db.GetLastError().str(), HasSubstr("gesperrt"));
        EXPECT_EQ(sysBase.messages, std::vector<CString>{db.GetLastError() + ", Workstation: 7"});
        ASSERT_TRUE(otherWrite.Commit());
    }
    EXPECT_FALSE(store.FileExists("C:\\hier\\b.txt"));
    EXPECT_TRUE(store.FileExists("C:\\andere\\a.txt"));
    EXPECT_TRUE(store.SaveFile("C:\\hier\\b.txt", "hier"));
}

TEST_F(PracticeFile, NestedTransactionsRollBackOnlyTheirOwnWork)
{
    {
        CVKTransaction import(db);
        ASSERT_TRUE(store.SaveFile("C:\\i\\1.txt", "1"));
        {
            CVKTransaction part(db);
            ASSERT_TRUE(store.SaveFile("C:\\i\\2.txt", "2"));
        }  // no commit: only 2.txt goes
        ASSERT_TRUE(store.SaveFile("C:\\i\\3.txt", "3"));
        CVKDatabase other;
        ASSERT_TRUE(other.Open(Location(), CVKDatabase::EOpenMode::ReadOnly));
        EXPECT_FALSE(CDBFileStore(other).FileExists("C:\\i\\1.txt")) << "visible before the commit";
        ASSERT_TRUE(import.Commit());
    }
    {
        CVKTransaction abandoned(db);
        ASSERT_TRUE(store.RemoveFile("C:\\i\\1.txt"));
    }
    EXPECT_EQ(Names("C:\\i\\*"), (std::set<std::string>{"1.txt", "3.txt"}));
}

TEST_F(PracticeFile, IntegrityCheckFindsDamageBehindTheFirstPage)
{
    if (j3test::OnServer())
        GTEST_SKIP() << "damages the file's pages";
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(store.SaveFile(CString("C:\\d\\datei") + CString(std::to_string(i)), CString('c', 500)));
    EXPECT_TRUE(db.CheckIntegrity()) << db.GetLastError().GetString();
    db.Close();
    WriteBytes(Location(), std::string(8 * 4096, '\x5A'), 2 * 4096);
    ASSERT_TRUE(db.Open(Location()));
    EXPECT_FALSE(db.CheckIntegrity());
    EXPECT_THAT(db.GetLastError().str(), HasSubstr("besch\xE4" "digt"));
}

// An empty schema is no practice, and a practice is not made twice. (An
// unreachable server is named by the practice database's own test.)
TEST(VKDatabaseServer, EmptyOrTakenSchemasAreRefused)
{
    if (!j3test::OnServer())
        GTEST_SKIP() << "locations on a server";
    j3test::TempDir folder;
    const auto empty = j3test::NewPracticeDatabase(folder);
    const auto practice = j3test::NewPracticeDatabase(folder);
    ASSERT_TRUE(CVKDatabase().Create(practice));
    CVKDatabase db;
    EXPECT_FALSE(db.Open(empty));
    EXPECT_THAT(db.GetLastError().str(), HasSubstr("keine J3-Praxisdatenbank (sie ist leer)"));
    EXPECT_FALSE(db.Create(practice));
    EXPECT_THAT(db.GetLastError().str(), HasSubstr("gibt es schon Tabellen"));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Open(practice)) << db.GetLastError().GetString();
}

// Only a TLS connection to the verified server with the right password gets
// in, and each refusal says what is wrong (the log never shows a password); a
// workstation's role writes records but cannot change the schema.
TEST(VKDatabaseServer, StrangersStayOutAndWorkstationsLeaveTheSchemaAlone)
{
    if (!j3test::OnServer())
        GTEST_SKIP() << "a server's access rules";
    j3test::TempDir folder;
    const std::string location = j3test::NewPracticeDatabase(folder).string();
    const char* const kUnconfirmed = "l\xE4sst sich nicht als der richtige best\xE4tigen: sein Zertifikat";
    for (const auto& [option, message] : std::vector<std::pair<std::string, const char*>>{
             {"%70assword=geheim", "hat die Anmeldung als postgres abgelehnt: das Passwort ist falsch"},
             {"user=niemand&password=geheim", "hat die Anmeldung als niemand abgelehnt"},
             {"passfile=" + folder.file("fehlt"), "verlangt f\xFC" "r die Rolle postgres ein Passwort"},
             {"host=localhost", kUnconfirmed},
             {"sslrootcert=" + folder.file("fehlt.crt"), kUnconfirmed},
             {"sslmode=disable", "nimmt nur verschl\xFCsselte Verbindungen an"},
             {"port=1", "ist nicht erreichbar. Bitte pr\xFC" "fen, ob er l\xE4uft"}}) {
        RecordingSysBase log;
        CVKDatabase refused;
        EXPECT_FALSE(refused.Create(location + "&" + option));
        ASSERT_EQ(log.messages.size(), 1u) << option;
        EXPECT_THAT(log.messages[0].str(), ::testing::AllOf(HasSubstr(message), Not(HasSubstr("geheim"))));
        EXPECT_THAT(refused.GetLastError().str(), ::testing::StartsWith("Der Datenbankserver user="));
    }
    CVKDatabase owner;
    ASSERT_TRUE(owner.Create(location)) << owner.GetLastError().GetString();
    const std::string role = "platz" + std::to_string(getpid());
    ASSERT_TRUE(owner.ExecuteScript(("CREATE ROLE " + role + " LOGIN PASSWORD 'p' IN ROLE j3_arbeitsplatz").c_str()));
    CVKDatabase workstation;
    ASSERT_TRUE(workstation.Open(location + "&user=" + role + "&password=p")) << workstation.GetLastError().GetString();
    EXPECT_TRUE(CDBFileStore(workstation).SaveFile("C:\\Daten\\a.txt", "a"));
    for (const char* change : {"DROP TABLE files", "CREATE TABLE fremd(a int)"})
        EXPECT_FALSE(workstation.ExecuteScript(change)) << change;
}

// A write outside a transaction fails once and the next one reconnects; a
// transaction whose session was lost fails as a whole, never half.
TEST_F(PracticeFile, ALostServerConnectionFailsClearlyAndTheNextWriteReconnects)
{
    if (!j3test::OnServer())
        GTEST_SKIP() << "a session on a server";
    CVKDatabase admin;
    ASSERT_TRUE(admin.Open(Location()));
    RecordingSysBase log;
    const auto loseSession = [&] {
        CVKQuery session(db, "SELECT pg_backend_pid()");
        ASSERT_TRUE(session.Next());
        const std::string terminate =
            "SELECT pg_terminate_backend(" + std::to_string(session.ColumnInt64(0)) + ", 5000)";
        ASSERT_TRUE(admin.ExecuteScript(terminate.c_str())) << admin.GetLastError().GetString();
    };
    loseSession();
    EXPECT_FALSE(store.SaveFile("C:\\weg.txt", "verloren"));
    EXPECT_THAT(db.GetLastError().str(), HasSubstr("Keine Verbindung zum Datenbankserver user=postgres "));
    EXPECT_TRUE(store.SaveFile("C:\\da.txt", "gespeichert")) << db.GetLastError().GetString();
    EXPECT_THAT(log.messages.back().str(), HasSubstr("unterbrochen und ist wieder da: 127.0.0.1:"));
    {
        CVKTransaction transaction(db);
        ASSERT_TRUE(store.SaveFile("C:\\teil1.txt", "1"));
        loseSession();
        EXPECT_FALSE(store.SaveFile("C:\\teil2.txt", "2"));
        EXPECT_FALSE(transaction.Commit());
    }
    EXPECT_EQ(Names("C:\\*"), (std::set<std::string>{"da.txt"}));
}

// Unless the location says otherwise, a connection attempt gives up after ten
// seconds, and the session asks for TCP keepalives.
TEST_F(PracticeFile, AServerConnectionHasAConnectTimeoutAndKeepalives)
{
    if (!j3test::OnServer())
        GTEST_SKIP() << "a server's connection settings";
    for (const auto& [option, timeout] :
         std::vector<std::pair<std::string, std::string>>{{"", "10"}, {"&connect_timeout=3", "3"}}) {
        CVKDatabase other;
        ASSERT_TRUE(other.Open(Location().string() + option)) << other.GetLastError().GetString();
        const auto* server = dynamic_cast<const CVKPgConnection*>(other.Connection());
        ASSERT_NE(server, nullptr);
        std::map<std::string, std::string> settings;
        PQconninfoOption* options = PQconninfo(server->Handle());
        for (const PQconninfoOption* setting = options; setting->keyword; ++setting)
            settings[setting->keyword] = setting->val ? setting->val : "";
        PQconninfoFree(options);
        EXPECT_EQ(settings["connect_timeout"], timeout) << option;
        EXPECT_EQ(settings["keepalives"], "1") << option;
    }
}

// j3key of the server must give the bytes of MakeKY, or the patient search
// would read other index ranges there.
TEST_F(PracticeFile, SortKeyFunctionGivesTheBytesOfMakeKY)
{
    std::vector<std::string> texts = {"", "   ", " M\xFC" "ller ", "\tStra\xDF" "e\r\n", std::string("a\0b", 3),
                                      std::string(63, 'x') + "\xDF" "y", std::string(70, '\xE6'), "\xA0Zimmer\x85"};
    for (int byte = 0; byte < 256; ++byte)
        texts.push_back(std::string(1, static_cast<char>(byte)) + "k");
    CVKQuery query(db, "SELECT j3key(?1)");
    for (const std::string& text : texts) {
        SCOPED_TRACE(::testing::PrintToString(text));
        query.Reset();
        query.Bind(1, text);
        ASSERT_TRUE(query.Next()) << db.GetLastError().GetString();
        EXPECT_EQ(query.ColumnText(0), CVKField::MakeKY(CString(text).Trim(), CVKSortKeyFunction::MaxLength));
    }
}

TEST(MakeKY, FoldsGermanTextsToDictionaryKeys)
{
    const struct {
        const char* text;
        int maxLength;
        const char* key;
    } cases[] = {
        {"M\xFCller", INT_MAX, "MULLER"},
        {"\xC4rger \xD6l \xDC" "ber", INT_MAX, "ARGER OL UBER"},
        {"Stra\xDF" "e", INT_MAX, "STRASSE"},
        {"Ren\xE9 \xC7" "a \xC6sop \x9C" "uvre \xDE" "or \xFF", INT_MAX, "RENE CA AESOP OEUVRE THOR Y"},
        {"\x8A\x9A\x8E\x9E\x9F", INT_MAX, "SSZZY"},
        {"a1-b2 \xD7\xF7", INT_MAX, "A1-B2 \xD7\xF7"},  // not letters: unchanged
        {"Stra\xDF" "e", 5, "STRAS"},                  // cut inside the folded ß
        {"abc", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CVKField::MakeKY(c.text, c.maxLength), c.key);
    }
}
