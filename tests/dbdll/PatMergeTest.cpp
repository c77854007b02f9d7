#include "PracticeDb.h"

#include "dbdll/JPat.h"
#include "dbdll/JPatDubletten.h"
#include "dbdll/JPatMerge.h"
#include "j3params/J3Params.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"

#include <map>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class PatMergeTest : public PracticeDb {
protected:
    void SetUp() override
    {
        PracticeDb::SetUp();
        // Markers as flags at 22..46: the kept patient has the first, the
        // duplicates the first and the third, the fifth.
        AddPatient("         1", "1", "");
        AddPatient("       900", "1 1", "\xF0\x9F\x98\x80");
        AddPatient("       901", "    1", "");
        AddPatient("         2", "", "");
        Note("p12\\jt-j3praxis-Karte.1.0", "Recall");
        Note("p12\\jt-j3praxis-Karte.900.0", "Allergie");
        Note("p12\\jt-j3praxis-Karte.900.1", "Angst");
        Note("w3\\jt-j3praxis-Befund.901.0", "Befund alt");
        Note("w3\\jt-j3praxis-Befund.2.0", "anderer Patient");
        CVKQuery treatment(dbDatabase, "INSERT INTO BEH VALUES(?1, '20240102', '01', 'Untersuchung')");
        ASSERT_TRUE(treatment.Bind(1, std::string("       901")).Run());
    }

    static void AddPatient(const char* nr, const char* markers, const char* emoji)
    {
        CJPat patient(&dbDatabase, nullptr);
        patient.m_strPatNr = nr;
        patient.m_strName = "M\xFCller";
        patient.m_strIndexMarker = CString(' ', 22) + markers;
        patient.m_strEmoji1 = emoji;
        ASSERT_TRUE(patient.Write(""));
    }

    static void Note(const char* path, const char* text)
    {
        ASSERT_TRUE(CDBFileStore(dbDatabase).SaveFile(GetJ3DataPath(0) + "eInfo\\" + path, text));
    }

    // What a merge can change: patients with their markers and emoji, notes
    // by path, treatments by patient.
    static Strings State()
    {
        Strings state;
        CVKQuery patients(dbDatabase, "SELECT patnr, indexmarker, emoji1 FROM pat ORDER BY patnr");
        while (patients.Next())
            state.push_back("pat " + patients.ColumnText(0).str() + "|" + patients.ColumnText(1).Mid(22).str() + "|" +
                            patients.ColumnText(2).str());
        for (const SDBFileEntry& folder : CDBFileStore(dbDatabase).Find(GetJ3DataPath(0) + "eInfo\\*"))
            for (const SDBFileEntry& note : CDBFileStore(dbDatabase).Find(folder.path + "\\*")) {
                CString text;
                CDBFileStore(dbDatabase).LoadFile(note.path, text);
                state.push_back(note.path.Mid(GetJ3DataPath(0).GetLength()).str() + "=" + text.str());
            }
        CVKQuery treatments(dbDatabase, "SELECT patnr FROM BEH");
        while (treatments.Next())
            state.push_back("beh " + treatments.ColumnText(0).str());
        return state;
    }
};

TEST_F(PatMergeTest, DuplicatesMoveIntoTheKeptPatient)
{
    CString error;
    ASSERT_TRUE(CJPatMerge(dbDatabase).Merge("         1", {"       900", "       901"}, error)) << error.GetString();
    EXPECT_EQ(State(), (Strings{
                           "pat          1|1 1 1                    |\xF0\x9F\x98\x80",
                           "pat          2||",
                           "eInfo\\p12\\jt-j3praxis-Karte.1.0=Recall",
                           "eInfo\\p12\\jt-j3praxis-Karte.1.1=Allergie",
                           "eInfo\\p12\\jt-j3praxis-Karte.1.2=Angst",
                           "eInfo\\w3\\jt-j3praxis-Befund.1.0=Befund alt",
                           "eInfo\\w3\\jt-j3praxis-Befund.2.0=anderer Patient",
                           "beh          1",
                       }));
}

TEST_F(PatMergeTest, AFailureHalfWayLeavesEverythingAsItWas)
{
    const Strings before = State();
    const struct {
        CString kept;
        std::vector<CString> duplicates;
        std::string error;
    } cases[] = {
        {"         1", {"       900", "       777"}, "Patient 777 ist nicht (mehr) vorhanden."},
        {"         1", {"       901", "         1"}, "Patient 1 kann nicht mit sich selbst zusammengef\xFChrt werden."},
        {"       555", {"       900"}, "Patient 555 ist nicht (mehr) vorhanden."},
    };
    for (const auto& c : cases) {
        CString error;
        EXPECT_FALSE(CJPatMerge(dbDatabase).Merge(c.kept, c.duplicates, error));
        EXPECT_EQ(error.str(), c.error);
        EXPECT_EQ(State(), before);
    }
}

TEST_F(PatMergeTest, LikelyDuplicatesShareFoldedNamesAndBirthDate)
{
    const char* const others[][4] = {{"        10", "M\xDCLLER", "Hans", "19600201"},
                                     {"        11", "M\xFCller", "hans", "19600201"},
                                     {"        12", "Muller", "Hans", "19600202"},
                                     {"        13", "Mueller", "Hans", "19600201"}};
    for (const auto& other : others) {
        CJPat patient(&dbDatabase, nullptr);
        patient.m_strPatNr = other[0];
        patient.m_strName = other[1];
        patient.m_strVorname = other[2];
        patient.m_strGebDat = other[3];
        ASSERT_TRUE(patient.Write(""));
    }
    const struct {
        const char* asked;
        Strings group;
    } cases[] = {
        {"        11", {"        11", "        10"}},
        {"        12", {}},
        {"       777", {}},
        {"", {"         1", "         2", "       900", "       901"}},
    };
    for (const auto& c : cases) {
        std::vector<SPatTreffer> group;
        ASSERT_TRUE(CJPatDubletten(dbDatabase).Find(c.asked, group)) << dbDatabase.GetLastError().GetString();
        Strings numbers;
        for (const SPatTreffer& patient : group)
            numbers.push_back(patient.strPatNr.str());
        EXPECT_EQ(numbers, c.group) << c.asked;
    }
}

} // namespace
