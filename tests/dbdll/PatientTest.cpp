#include "PracticeDb.h"

#include "dbdll/JPat.h"
#include "dbdll/JPatMerge.h"
#include "dbdll/JPatSuche.h"
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

// Patients with markers and emoji, notes, treatments and protocol rows.
Strings State()
{
    Strings state;
    CVKQuery patients(dbDatabase, "SELECT patnr, indexmarker, emoji1, emoji2 FROM pat ORDER BY patnr");
    while (patients.Next())
        state.push_back(patients.ColumnText(0).Trim().str() + "|" + patients.ColumnText(1).Trim().str() + "|" +
                        patients.ColumnText(2).str() + patients.ColumnText(3).str());
    CDBFileStore store(dbDatabase);
    for (const SDBFileEntry& folder : store.Find(Notes() + "*"))
        for (const SDBFileEntry& note : store.Find(folder.path + "\\*")) {
            CString text;
            store.LoadFile(note.path, text);
            state.push_back(note.path.Mid(Notes().GetLength()).str() + "=" + text.str());
        }
    CVKQuery rows(dbDatabase, "SELECT 'Behandlung', patnr FROM BEH UNION ALL SELECT 'Protokoll', patnr FROM protokoll");
    while (rows.Next())
        state.push_back(rows.ColumnText(0).str() + " " + rows.ColumnText(1).Trim().str());
    return state;
}

} // namespace

// Patients 1, 900 and 901 are one person taken up three times; only "1" is a set marker.
TEST_F(PracticeDb, MergeMovesEverythingOrNothing)
{
    for (const auto& [nr, marker, emoji1, emoji2] :
         {std::tuple{"1", "1", "A", ""}, {"900", "1 1", "E", "A"}, {"901", "   x1", "F", "G"}}) {
        CJPat patient(&dbDatabase, nullptr);
        patient.m_strPatNr = Nr(nr);
        patient.m_strIndexMarker = CString(' ', 22) + marker;
        patient.m_strEmoji1 = emoji1;
        patient.m_strEmoji2 = emoji2;
        ASSERT_TRUE(patient.Write(""));
    }
    for (const auto& [note, text] : {std::pair{"p12\\Karte.1.0", "Recall"}, {"p12\\Karte.900.10", "Allergie"},
                                     {"p12\\Karte.900.2", "Angst"}, {"w3\\Befund.901.0", "alt"}})
        ASSERT_TRUE(CDBFileStore(dbDatabase).SaveFile(Notes() + note, text));
    CVKQuery treatment(dbDatabase,
                       "INSERT INTO BEH(patnr, datum, leistung, text) VALUES(?1, '20240102', '01', 'Befund')");
    ASSERT_TRUE(treatment.Bind(1, Nr("901")).Run());
    CVKQuery protocol(dbDatabase, "INSERT INTO protokoll(patnr, art, status, funktion, text) VALUES(?1, 'L', '', '', '')");
    ASSERT_TRUE(protocol.Bind(1, Nr("900")).Run());

    const Strings before = State();
    const Strings merged = {"1|1 1 1|AE",          "p12\\Karte.1.0=Recall", "p12\\Karte.1.1=Angst",
                            "p12\\Karte.1.2=Allergie", "w3\\Befund.1.0=alt",    "Behandlung 1",
                            "Protokoll 1"};
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
        CJPatMerge merge(dbDatabase);
        EXPECT_EQ(merge.Merge(Nr("1"), duplicates, error), c.error.empty());
        EXPECT_EQ(error.str(), c.error);
        EXPECT_EQ(State(), c.error.empty() ? merged : before);
        Strings unplaced;
        for (const auto& [nr, emoji] : merge.GetUnplacedEmoji())
            unplaced.push_back(nr.str() + ":" + emoji.str());
        EXPECT_EQ(unplaced, c.error.empty() ? Strings({"901:F", "901:G"}) : Strings());
    }
}

// Each of number, surname and first name finds more patients than shown;
// the ones shown are the first by name of all found.
TEST_F(PracticeDb, SearchShowsTheFirstPatientsByNameWhicheverFieldFoundThem)
{
    for (const auto& [nr, name, firstName] : {std::tuple{"5", "Abel", "Zoe"}, {"6", "Zorn", "Ada"}, {"7", "Yak", "Ali"},
                                              {"8", "Bach", "Anna"}, {"10", "Wolf", "Uwe"}, {"11", "Kunz", "Eva"},
                                              {"12", "Lang", "Udo"}}) {
        CJPat patient(&dbDatabase, nullptr);
        patient.m_strPatNr = Nr(nr);
        patient.m_strName = name;
        patient.m_strVorname = firstName;
        ASSERT_TRUE(patient.Write(""));
    }
    for (const auto& [fragment, shown] : {std::pair{"a", Strings{"Abel", "Bach"}}, {"1", Strings{"Kunz", "Lang"}}}) {
        std::vector<SPatTreffer> found;
        ASSERT_TRUE(CJPatSuche(dbDatabase).Find(fragment, 2, found));
        Strings names;
        for (const SPatTreffer& patient : found)
            names.push_back(patient.strName.str());
        EXPECT_EQ(names, shown) << fragment;
    }
}
