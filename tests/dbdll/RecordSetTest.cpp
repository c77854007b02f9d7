#include "PracticeDb.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/J3RSetEx.h"
#include "dbdll/JProgPool.h"

#include <functional>

TEST_F(PracticeDb, ParPoolLookupsByKeyValueAndKeyPrefix)
{
    Store("269", "did   1", "CDiaA");
    Store("269", "did   2", "CDiaB");
    Store("269", "did  10", "CDiaC");
    Store("269", "dia", "CDiaB");
    Store("269", "di%_x", "Prozent");
    Store("  0", "did   9", "andere Nummer");

    using Lookup = std::function<int(CJParPool&)>;
    const Lookup byKey = [](CJParPool& p) { return p.GetByK1(0); };
    const Lookup highest = [](CJParPool& p) { return p.GetByTeilKuerzel(true); };
    const struct {
        const char* name;
        Lookup lookup;
        const char* nr;
        const char* key;
        const char* value;
        int result;
        const char* foundKey;
        const char* foundValue;
    } cases[] = {
        {"key", byKey, "269", "did   2", "", CVKRSet::FOUND, "did   2", "CDiaB"},
        {"key in other case", byKey, "269", "DID   2", "", CVKRSet::NOT_FOUND, "DID   2", ""},
        {"value twice: lowest key", [](CJParPool& p) { return p.GetByValue(); }, "269", "", "CDiaB", CVKRSet::FOUND,
         "dia", "CDiaB"},
        {"prefix, highest", highest, "269", "did", "", CVKRSet::FOUND, "did  10", "CDiaC"},
        {"prefix, lowest", [](CJParPool& p) { return p.GetByTeilKuerzel(false); }, "269", "did", "", CVKRSet::FOUND,
         "did   1", "CDiaA"},
        {"prefix of other number", highest, "  0", "did", "", CVKRSet::FOUND, "did   9", "andere Nummer"},
        {"% and _ are plain characters", highest, "269", "di%", "", CVKRSet::FOUND, "di%_x", "Prozent"},
        {"empty prefix: every key", highest, "269", "", "", CVKRSet::FOUND, "did  10", "CDiaC"},
        {"unknown match mode", [](CJParPool& p) { return p.GetByK1(1); }, "269", "did   2", "", CVKRSet::DB_ERROR,
         "did   2", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto pool = ParPool(dbDatabaseRO, c.nr, c.key);
        pool->SetForwardOnly(true);
        pool->m_strValue = c.value;
        EXPECT_EQ(c.lookup(*pool), c.result);
        EXPECT_EQ(pool->m_strKey, c.foundKey);
        EXPECT_EQ(pool->m_strValue, c.foundValue);
        EXPECT_EQ(pool->IsPositioned(), c.result == CVKRSet::FOUND);
    }
}

TEST_F(PracticeDb, ParPoolWriteRewriteAndTheirRefusals)
{
    Store("  0", "usrfavorit", "1");
    const auto pool = ParPool(dbDatabase, "  0", "usrfavorit");
    pool->m_strValue = "doppelt";
    EXPECT_FALSE(pool->Write("Favoriten")) << "number and key name one record";
    EXPECT_FALSE(pool->Rewrite("")) << "nothing found to replace";
    ASSERT_EQ(pool->GetByK1(0), CVKRSet::FOUND);
    pool->m_strKey = "fehlt";
    ASSERT_EQ(pool->GetByK1(0), CVKRSet::NOT_FOUND);
    pool->m_strValue = "darf den vorher gefundenen nicht treffen";
    EXPECT_FALSE(pool->Rewrite(""));
    EXPECT_EQ(StoredValue("  0", "usrfavorit"), "1");

    // A record changed under its key after it was found: the found record changes.
    pool->m_strKey = "usrfavorit";
    ASSERT_EQ(pool->GetByK1(0), CVKRSet::FOUND);
    pool->m_strKey = "usrfavorit2";
    ASSERT_TRUE(pool->Rewrite(""));
    EXPECT_EQ(StoredValue("  0", "usrfavorit"), "<fehlt>");
    EXPECT_EQ(StoredValue("  0", "usrfavorit2"), "1");
}

// Sets that may only read refuse every change; a record deleted meanwhile is
// neither read again, replaced nor deleted.
TEST_F(PracticeDb, RecordSetsRefuseTheChangesTheyMayNotMake)
{
    Store("269", "k", "v");
    auto found = [](CVKDatabase& database, bool forwardOnly) {
        auto pool = ParPool(database, "269", "k");
        pool->SetForwardOnly(forwardOnly);
        EXPECT_EQ(pool->GetByK1(0), CVKRSet::FOUND);
        return pool;
    };
    CJParPool unpositioned(&dbDatabase, nullptr);
    const auto writable = found(dbDatabase, false);
    const auto forwardOnly = found(dbDatabase, true);
    const auto readOnlyConnection = found(dbDatabaseRO, false);
    const struct {
        const char* name;
        const CVKRSet* set;
        bool forUpdate;
        bool expected;
    } cases[] = {
        {"nothing found", &unpositioned, false, false},
        {"found, for update", writable.get(), true, true},
        {"forward-only", forwardOnly.get(), false, true},
        {"forward-only, for update", forwardOnly.get(), true, false},
        {"read-only connection, for update", readOnlyConnection.get(), true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CJ3RSetEx::TriggerSelectRead(c.set, c.forUpdate), c.expected);
    }
    for (CJParPool* pool : {forwardOnly.get(), readOnlyConnection.get()}) {
        pool->m_strValue = "anders";
        EXPECT_FALSE(pool->Rewrite(""));
        EXPECT_FALSE(pool->Delete());
        pool->m_strKey = "neu";
        EXPECT_FALSE(pool->Write(""));
    }
    EXPECT_EQ(StoredValue("269", "k"), "v");
    EXPECT_EQ(StoredValue("269", "neu"), "<fehlt>");

    Store("269", "k2", "v");
    ASSERT_TRUE(found(dbDatabase, false)->Delete());
    EXPECT_FALSE(CJ3RSetEx::TriggerSelectRead(writable.get(), false)) << "deleted meanwhile";
    writable->m_strValue = "neu";
    EXPECT_FALSE(writable->Rewrite(""));
    EXPECT_FALSE(writable->Delete());
    EXPECT_EQ(StoredValue("269", "k"), "<fehlt>");
    EXPECT_EQ(StoredValue("269", "k2"), "v");
}

TEST_F(PracticeDb, PermissionOfTheUserElseOfThePractice)
{
    ASSERT_TRUE(CJProgPool::SetPermission(291, "eInfo", "12", CJProgPool::PERM_NONE));
    ASSERT_TRUE(CJProgPool::SetPermission(291, "eInfo", "12", CJProgPool::PERM_WRITE));  // replaces
    ASSERT_TRUE(CJProgPool::SetPermission(291, "eInfo", "", CJProgPool::PERM_READ));
    ASSERT_TRUE(CJProgPool::SetPermission(278, "Karteireiter Konfiguration", "13", 0));
    const struct {
        const char* user;
        int progNr;
        const char* name;
        bool practiceDefault;
        int expected;
    } cases[] = {
        {"12", 291, "eInfo", true, CJProgPool::PERM_WRITE},
        {"12", 291, "eInfo", false, CJProgPool::PERM_WRITE},
        {"13", 291, "eInfo", true, CJProgPool::PERM_READ},
        {"13", 291, "eInfo", false, CJProgPool::PERM_NONE},
        {"12", 291, "einfo", true, CJProgPool::PERM_NONE},
        {"12", 292, "eInfo", true, CJProgPool::PERM_NONE},
        {"13", 278, "Karteireiter Konfiguration", true, 0},
        {"12", 278, "Karteireiter Konfiguration", true, CJProgPool::PERM_NONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " " + std::to_string(c.progNr) + " " + c.name);
        dbPId = c.user;
        EXPECT_EQ(CJProgPool::GetPermission(c.progNr, c.name, c.practiceDefault), c.expected);
    }
    dbPId.Empty();
}
