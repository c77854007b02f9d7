#include "PracticeDb.h"

#include "dbdll/JParPool.h"
#include "vkdb/VKDatabase.h"

#include <functional>
#include <vector>

namespace {

void Store(const char* nr, const char* key, const CString& value)
{
    CJParPool pool(&dbDatabase, nullptr);
    pool.m_strNr = nr;
    pool.m_strKey = key;
    pool.m_strValue = value;
    ASSERT_TRUE(pool.Write("")) << dbDatabase.GetLastError().GetString();
}

CString StoredValue(const char* nr, const char* key)
{
    CJParPool pool(&dbDatabaseRO, nullptr);
    pool.SetForwardOnly(true);
    pool.m_strNr = nr;
    pool.m_strKey = key;
    return pool.GetByK1(0) == CVKRSet::FOUND ? pool.m_strValue : CString("<fehlt>");
}

} // namespace

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
    const Lookup byValue = [](CJParPool& p) { return p.GetByValue(); };
    const Lookup highest = [](CJParPool& p) { return p.GetByTeilKuerzel(true); };
    const Lookup lowest = [](CJParPool& p) { return p.GetByTeilKuerzel(false); };
    struct Case {
        const char* name;
        Lookup lookup;
        const char* nr;
        const char* key;
        const char* value;
        int result;
        const char* foundKey;
        const char* foundValue;
    };
    const std::vector<Case> cases = {
        {"key", byKey, "269", "did   2", "", CVKRSet::FOUND, "did   2", "CDiaB"},
        {"key in other case", byKey, "269", "DID   2", "", CVKRSet::NOT_FOUND, "DID   2", ""},
        {"value twice: lowest key", byValue, "269", "", "CDiaB", CVKRSet::FOUND, "dia", "CDiaB"},
        {"prefix, highest", highest, "269", "did", "", CVKRSet::FOUND, "did  10", "CDiaC"},
        {"prefix, lowest", lowest, "269", "did", "", CVKRSet::FOUND, "did   1", "CDiaA"},
        {"prefix of other number", highest, "  0", "did", "", CVKRSet::FOUND, "did   9", "andere Nummer"},
        {"% and _ are plain characters", highest, "269", "di%", "", CVKRSet::FOUND, "di%_x", "Prozent"},
        {"empty prefix: every key", highest, "269", "", "", CVKRSet::FOUND, "did  10", "CDiaC"},
        {"unknown match mode", [](CJParPool& p) { return p.GetByK1(1); }, "269", "did   2", "", CVKRSet::DB_ERROR,
         "did   2", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CJParPool pool(&dbDatabaseRO, nullptr);
        pool.SetForwardOnly(true);
        pool.m_strNr = c.nr;
        pool.m_strKey = c.key;
        pool.m_strValue = c.value;
        EXPECT_EQ(c.lookup(pool), c.result);
        EXPECT_EQ(pool.m_strKey, c.foundKey);
        EXPECT_EQ(pool.m_strValue, c.foundValue);
        EXPECT_EQ(pool.IsPositioned(), c.result == CVKRSet::FOUND);
    }
}

TEST_F(PracticeDb, ParPoolWriteRewriteAndTheirRefusals)
{
    // Store-or-replace as the settings do it.
    for (const char* value : {"0", "1"}) {
        CJParPool pool(&dbDatabase, nullptr);
        pool.m_strNr = "  0";
        pool.m_strKey = "usrfavorit";
        const bool found = pool.GetByK1(0) == CVKRSet::FOUND;
        pool.m_strValue = value;
        EXPECT_TRUE(found ? pool.Rewrite("") : pool.Write(""));
    }
    EXPECT_EQ(StoredValue("  0", "usrfavorit"), "1");

    CJParPool pool(&dbDatabase, nullptr);
    pool.m_strNr = "  0";
    pool.m_strKey = "usrfavorit";
    pool.m_strValue = "doppelt";
    EXPECT_FALSE(pool.Write("Favoriten")) << "number and key name one record";
    EXPECT_FALSE(pool.Rewrite("")) << "nothing found to replace";

    ASSERT_EQ(pool.GetByK1(0), CVKRSet::FOUND);
    pool.m_strKey = "fehlt";
    ASSERT_EQ(pool.GetByK1(0), CVKRSet::NOT_FOUND);
    pool.m_strValue = "darf den vorher gefundenen nicht treffen";
    EXPECT_FALSE(pool.Rewrite(""));
    EXPECT_EQ(StoredValue("  0", "usrfavorit"), "1");

    // A record changed under its key after it was found: the found record changes.
    pool.m_strKey = "usrfavorit";
    ASSERT_EQ(pool.GetByK1(0), CVKRSet::FOUND);
    pool.m_strKey = "usrfavorit2";
    ASSERT_TRUE(pool.Rewrite(""));
    EXPECT_EQ(StoredValue("  0", "usrfavorit"), "<fehlt>");
    EXPECT_EQ(StoredValue("  0", "usrfavorit2"), "1");
}

TEST_F(PracticeDb, ReadOnlyRecordSetsRefuseEveryChange)
{
    Store("269", "k", "v");
    struct Case {
        const char* name;
        CVKDatabase* database;
        bool forwardOnly;
    };
    for (const Case& c : {Case{"forward-only", &dbDatabase, true}, Case{"read-only connection", &dbDatabaseRO, false}}) {
        SCOPED_TRACE(c.name);
        CJParPool pool(c.database, nullptr);
        pool.SetForwardOnly(c.forwardOnly);
        pool.m_strNr = "269";
        pool.m_strKey = "k";
        ASSERT_EQ(pool.GetByK1(0), CVKRSet::FOUND);
        pool.m_strValue = "anders";
        EXPECT_FALSE(pool.Rewrite(""));
        EXPECT_FALSE(pool.Delete());
        pool.m_strKey = "neu";
        EXPECT_FALSE(pool.Write(""));
    }
    EXPECT_EQ(StoredValue("269", "k"), "v");
    EXPECT_EQ(StoredValue("269", "neu"), "<fehlt>");
}

TEST_F(PracticeDb, RewriteOfARecordDeletedMeanwhileFails)
{
    Store("269", "k", "v");
    CJParPool first(&dbDatabase, nullptr);
    CJParPool second(&dbDatabase, nullptr);
    for (CJParPool* pool : {&first, &second}) {
        pool->m_strNr = "269";
        pool->m_strKey = "k";
        ASSERT_EQ(pool->GetByK1(0), CVKRSet::FOUND);
    }
    ASSERT_TRUE(second.Delete());
    first.m_strValue = "neu";
    EXPECT_FALSE(first.Rewrite(""));
    EXPECT_FALSE(first.Delete());
    EXPECT_EQ(StoredValue("269", "k"), "<fehlt>");
}
