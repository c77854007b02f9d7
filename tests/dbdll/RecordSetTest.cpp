#include "PracticeDb.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/J3RSetEx.h"
#include "dbdll/JBeh.h"
#include "dbdll/JParPool.h"
#include "dbdll/JPat.h"
#include "dbdll/JProtokoll.h"
#include "vkbasis/CVKSysBase.h"
#include "vkdb/AutoRSet.h"
#include "vkdb/VKDatabase.h"

#include <memory>
#include <vector>

namespace {

void StorePatient(const char* nr, const char* name, const char* marker)
{
    CJPat pat(&dbDatabase, nullptr);
    pat.m_strPatNr = nr;
    pat.m_strName = name;
    pat.m_strVorname = "Erika";
    pat.m_strGebDat = "19700131";
    pat.m_strIndexMarker = marker;
    pat.m_strEmoji1 = "\xF0\x9F";
    pat.m_strEmoji2 = "zwei";
    ASSERT_TRUE(pat.Write(""));
}

// Writes a deletion protocol for treatments, as the program's system
// services do, and notes what it saw of each deleted record.
class ProtocollingSysBase : public CVKSysBase {
public:
    ProtocollingSysBase() { gp_VKSysBase = this; }
    ~ProtocollingSysBase() override { gp_VKSysBase = nullptr; }
    void DeleteProtokoll(const CVKRSet* recordSet) override
    {
        seen.push_back(recordSet->GetTableName() + (recordSet->IsRecordPresent() ? " noch da" : " schon weg"));
        const auto* beh = dynamic_cast<const CJBeh*>(recordSet);
        if (!beh)
            return;
        CJProtokoll entry(&dbDatabase, nullptr);
        entry.m_strPatNr = beh->m_strPatNr;
        entry.m_strArt = "l";
        entry.m_strStatus = " ";
        entry.m_strFunktion = "CVKRSet::DeleteRec";
        entry.m_strText = beh->m_strDatum + ": " + beh->m_strLeistung + ", " + beh->m_strText;
        entry.Write("");
    }
    std::vector<CString> seen;
};

} // namespace

TEST_F(PracticeDb, PatientIsFoundByItsTenCharacterNumber)
{
    StorePatient("      4711", "Mustermann", "");
    StorePatient("     47110", "Andere", "");
    CJPat pat(&dbDatabase, nullptr);
    pat.m_strPatNr = "4711";
    EXPECT_EQ(pat.GetByK1(0), CVKRSet::NOT_FOUND);
    pat.m_strPatNr = "      4711";
    ASSERT_EQ(pat.GetByK1(0), CVKRSet::FOUND);
    EXPECT_EQ(pat.m_strName, "Mustermann");
    EXPECT_EQ(pat.m_strGebDat, "19700131");
    CString first, second;
    pat.GetEmoji(first, second);
    EXPECT_EQ(first, "\xF0\x9F");
    EXPECT_EQ(second, "zwei");

    // The index flags written back, as the base dialog does.
    pat.m_strIndexMarker = CString(' ', 22) + "1" + CString(' ', 24);
    ASSERT_TRUE(pat.Rewrite(""));
    CJPat again(&dbDatabaseRO, nullptr);
    again.m_strPatNr = "      4711";
    ASSERT_EQ(again.GetByK1(0), CVKRSet::FOUND);
    EXPECT_EQ(again.m_strIndexMarker, pat.m_strIndexMarker);
    EXPECT_FALSE(pat.Write("")) << "a patient number names one patient";
}

TEST_F(PracticeDb, DeletingARecordLetsTheProgramProtocolItOnceItIsGone)
{
    ProtocollingSysBase sysBase;
    CJBeh beh(&dbDatabase, nullptr);
    beh.m_strPatNr = "      4711";
    beh.m_strDatum = "20240131";
    beh.m_strLeistung = "01";
    beh.m_strText = "Eingehende Untersuchung";
    ASSERT_TRUE(beh.Write(""));

    CJBeh found(&dbDatabase, nullptr);
    found.m_strPatNr = "      4711";
    found.m_strDatum = "20240131";
    ASSERT_EQ(found.GetByK1(0), CVKRSet::FOUND);
    ASSERT_TRUE(found.Delete());
    EXPECT_EQ(found.GetByK1(0), CVKRSet::NOT_FOUND);

    CJParPool pool(&dbDatabase, nullptr);
    pool.m_strNr = "269";
    pool.m_strKey = "k";
    ASSERT_TRUE(pool.Write(""));
    ASSERT_TRUE(pool.Delete());

    EXPECT_EQ(sysBase.seen, (std::vector<CString>{"BEH schon weg", "parpool schon weg"}));
    CJProtokoll entry(&dbDatabaseRO, nullptr);
    entry.m_strPatNr = "      4711";
    ASSERT_EQ(entry.GetByK1(0), CVKRSet::FOUND);
    EXPECT_EQ(entry.m_strText, "20240131: 01, Eingehende Untersuchung");
}

TEST_F(PracticeDb, BorrowedRecordSetsAreSharedAndMatchTheirOpenType)
{
    CJParPool* reader = CAutoRSet<CJParPool>::GetRSet(1, false);
    EXPECT_TRUE(reader->IsForwardOnly());
    reader->m_strKey = "fehlt";

    CJParPool* second = CAutoRSet<CJParPool>::GetRSet(1, false);
    EXPECT_NE(second, reader) << "a borrowed object is not lent twice";
    CAutoRSet<CJParPool>::ReleaseRSet(second);
    CAutoRSet<CJParPool>::ReleaseRSet(reader);

    CJParPool* again = CAutoRSet<CJParPool>::GetRSet(1, false);
    EXPECT_TRUE(again == reader || again == second) << "returned objects are lent again";
    EXPECT_EQ(again->m_strKey, "") << "and cleared";
    CAutoRSet<CJParPool>::ReleaseRSet(again);

    CJParPool* writer = CAutoRSet<CJParPool>::GetRSet(0, false);
    writer->m_strNr = "269";
    writer->m_strKey = "geschrieben";
    EXPECT_TRUE(writer->Write(""));
    CAutoRSet<CJParPool>::ReleaseRSet(writer);
}

TEST_F(PracticeDb, TriggerSelectReadNeedsAStoredRecordAndForUpdateAWritableSet)
{
    StorePatient("         1", "Eins", "");
    auto found = [](CVKDatabase* database, bool forwardOnly) {
        auto pat = std::make_unique<CJPat>(database, nullptr);
        pat->SetForwardOnly(forwardOnly);
        pat->m_strPatNr = "         1";
        EXPECT_EQ(pat->GetByK1(0), CVKRSet::FOUND);
        return pat;
    };
    CJPat unpositioned(&dbDatabase, nullptr);
    const auto writable = found(&dbDatabase, false);
    const auto forwardOnly = found(&dbDatabase, true);
    const auto readOnlyConnection = found(&dbDatabaseRO, false);
    struct Case {
        const char* name;
        const CVKRSet* set;
        bool forUpdate;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"nothing found", &unpositioned, false, false},
        {"found, for update", writable.get(), true, true},
        {"forward-only", forwardOnly.get(), false, true},
        {"forward-only, for update", forwardOnly.get(), true, false},
        {"read-only connection, for update", readOnlyConnection.get(), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CJ3RSetEx::TriggerSelectRead(c.set, c.forUpdate), c.expected);
    }
    const auto deleter = found(&dbDatabase, false);
    ASSERT_TRUE(deleter->Delete());
    EXPECT_FALSE(CJ3RSetEx::TriggerSelectRead(writable.get(), false)) << "deleted meanwhile";
}
