#include "PracticeDb.h"

#include "dbdll/JPat.h"
#include "dbdll/JPatMerge.h"
#include "j3params/J3Params.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKQuery.h"

#include <cstring>
#include <tuple>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

CString Nr(const char* number)
{
    return CString(std::string(10 - std::strlen(number), ' ') + number);
}

CString Notes()
{
    return GetJ3DataPath(0) + "eInfo\\";
}

// Patients with markers and emoji, notes, treatments.
Strings State()
{
    Strings state;
    CVKQuery patients(dbDatabase, "SELECT patnr, indexmarker, emoji1 FROM pat ORDER BY patnr");
    while (patients.Next())
        state.push_back(patients.ColumnText(0).Trim().str() + "|" + patients.ColumnText(1).Trim().str() + "|" +
                        patients.ColumnText(2).str());
    CDBFileStore store(dbDatabase);
    for (const SDBFileEntry& folder : store.Find(Notes() + "*"))
        for (const SDBFileEntry& note : store.Find(folder.path + "\\*")) {
            CString text;
            store.LoadFile(note.path, text);
            state.push_back(note.path.Mid(Notes().GetLength()).str() + "=" + text.str());
        }
    CVKQuery treatments(dbDatabase, "SELECT patnr FROM BEH");
    while (treatments.Next())
        state.push_back("Behandlung " + treatments.ColumnText(0).Trim().str());
    return state;
}

} // namespace

// Patients 1, 900 and 901 are one person taken up three times; only "1" is a set marker.
TEST_F(PracticeDb, MergeMovesEverythingOrNothing)
{
    for (const auto& [nr, marker, emoji] : {std::tuple{"1", "1", ""}, {"900", "1 1", "E"}, {"901", "   x1", ""}}) {
        CJPat patient(&dbDatabase, nullptr);
        patient.m_strPatNr = Nr(nr);
        patient.m_strIndexMarker = CString(' ', 22) + marker;
        patient.m_strEmoji1 = emoji;
        ASSERT_TRUE(patient.Write(""));
    }
    for (const auto& [note, text] : {std::pair{"p12\\Karte.1.0", "Recall"}, {"p12\\Karte.900.0", "Allergie"},
                                     {"w3\\Befund.901.0", "alt"}})
        ASSERT_TRUE(CDBFileStore(dbDatabase).SaveFile(Notes() + note, text));
    CVKQuery treatment(dbDatabase,
                       "INSERT INTO BEH(patnr, datum, leistung, text) VALUES(?1, '20240102', '01', 'Befund')");
    ASSERT_TRUE(treatment.Bind(1, Nr("901")).Run());

    const Strings before = State();
    const Strings merged = {"1|1 1 1|E", "p12\\Karte.1.0=Recall", "p12\\Karte.1.1=Allergie", "w3\\Befund.1.0=alt",
                            "Behandlung 1"};
    const struct {
        std::vector<const char*> duplicates;
        std::string error;  // empty: the merge succeeds
    } cases[] = {
        {{"900", "777"}, "Patient 777 ist nicht (mehr) vorhanden."},
        {{"901", "1"}, "Patient 1 kann nicht mit sich selbst zusammengef\xFChrt werden."},
        {{"900", "901"}, ""},
    };
    for (const auto& c : cases) {
        std::vector<CString> duplicates;
        for (const char* nr : c.duplicates)
            duplicates.push_back(Nr(nr));
        CString error;
        EXPECT_EQ(CJPatMerge(dbDatabase).Merge(Nr("1"), duplicates, error), c.error.empty());
        EXPECT_EQ(error.str(), c.error);
        EXPECT_EQ(State(), c.error.empty() ? merged : before);
    }
}
