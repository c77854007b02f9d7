#include "j3db/J3SamplePractice.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "dbdll/JPat.h"
#include "dbdll/JProgPool.h"
#include "j3params/J3HostText.h"
#include "j3params/J3Params.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKTransaction.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <initializer_list>

namespace {

enum class ERoot { Data, QA };

struct SSampleFile {
    ERoot root;
    const char* path; // below the root, UTF-8
    const char* text; // UTF-8; stored as 1252
};

const SSampleFile kTextFiles[] = {
    {ERoot::Data, "Briefe\\2024\\Überweisung Müller.txt",
     "Sehr geehrte Frau Kollegin,\r\nwir überweisen Herrn Hans Müller zur Weiterbehandlung.\r\n"
     "Mit freundlichen Grüßen\r\nIhre Zahnarztpraxis\r\n"},
    {ERoot::Data, "Briefe\\2024\\Recall Schäfer.txt",
     "Liebe Frau Schäfer,\r\nIhre nächste Vorsorgeuntersuchung ist fällig.\r\n"},
    {ERoot::Data, "Briefe\\Vorlagen\\Terminerinnerung.txt",
     "Wir erinnern Sie an Ihren Termin am {Datum} um {Uhrzeit} Uhr.\r\n"},
    {ERoot::Data, "Druckvorlagen\\Rechnung.txt", "Rechnung Nr. {Nummer}\r\nBetrag: {Betrag} €\r\n"},
    {ERoot::Data, "Protokolle\\Abrechnung März.LOG",
     "2024-03-28 17:02 Quartalsabrechnung erstellt\r\n2024-03-28 17:05 Übertragung erfolgreich\r\n"},
    {ERoot::QA, "Prüfberichte\\Prüfung Januar.txt", "Prüfung der Röntgeneinrichtung: ohne Befund.\r\n"},
    {ERoot::QA, "Hygiene\\Sterilisation.LOG", "Zyklus 1041 134 °C 5 min: bestanden\r\n"},
    {ERoot::QA, "Hygiene\\Geräte\\Autoklav.txt", "Wartung fällig im Juni.\r\n"},
};

const char* const kImagePath = "Bilder\\Röntgen Müller.png";

struct SSamplePatient {
    int number = 0;
    const char* name = nullptr;
    const char* firstName = nullptr;
    const char* birthDate = nullptr; // JJJJMMTT
    std::initializer_list<int> markers;
    const char* emoji1 = nullptr; // a code point "U+...", as the patient record keeps emoji
    const char* emoji2 = nullptr;
    std::initializer_list<const char*> notes; // the patient's eInfo notes on the desk, UTF-8
};

const SSamplePatient kPatients[] = {
    {1,
     "Müller",
     "Hans",
     "19580314",
     {0, 2, 5, 6},
     "U+2605",
     "U+26A0",
     {"Penicillin-Allergie!\nVor jeder Behandlung nachfragen.", "Recall im März vereinbart."}},
    {2, "Schäfer", "Anna", "19830722", {1, 9}, "U+2665", "", {"Schwanger, 20. Woche: kein Röntgen."}},
    {3, "Öztürk", "Elif", "19910105", {}, "", "", {}},
    {4, "Weiß", "Jürgen", "19470930", {0, 4, 7, 8}, "U+267F", "", {"Kommt mit Rollstuhl: Zimmer 1."}},
    {5, "Groß", "Lena", "20150611", {3}, "U+263A", "", {}},
};

struct SMarkerConfig {
    const char* text;
    const char* toolTip;
    std::uint32_t rgb; // 0xRRGGBB; kNoColor for the toolkit's own
};
constexpr std::uint32_t kNoColor = 0xFFFFFFFFu;

const SMarkerConfig kIndexMarkers[] = {
    {"Recall", "Recall fällig", 0x43A047},
    {"Allergie", "Allergie beachten (Penicillin)", 0xE53935},
    {"Angst", "Angstpatient, mehr Zeit einplanen", kNoColor},
    {"Kind", "Kinderbehandlung", 0x29B6F6},
    {"Implantat", "Implantatversorgung", 0x8E24AA},
    {"PZR", "Professionelle Zahnreinigung im Recall", 0x00897B},
    {"Blutverd.", "Nimmt Blutverdünner – vor Eingriffen klären", 0xFB8C00},
    {"Privat", "Privat versichert", 0x8D6E63},
    {"Säumig", "Offene Rechnungen", 0x546E7A},
    {"Schwanger", "Schwangerschaft: kein Röntgen", 0xEC407A},
};

// The index-marker record's value: "text|tool tip", and "|colour" with the
// colour reference (0x00BBGGRR) in decimal.
CString MarkerValue(const SMarkerConfig& marker)
{
    CString value = CJ3HostText::FromHost(marker.text) + "|" + CJ3HostText::FromHost(marker.toolTip);
    if (marker.rgb != kNoColor) {
        const std::uint32_t colorRef = (marker.rgb & 0xFF) << 16 | (marker.rgb & 0xFF00) | (marker.rgb >> 16 & 0xFF);
        CString decimal;
        decimal.Format("|%u", colorRef);
        value += decimal;
    }
    return value;
}

// Flags of the index markers sit at positions 22 to 46 of the patient's text.
constexpr int kMarkerTextLength = 47;
constexpr int kFirstMarkerPosition = 22;

CString SampleImage()
{
    QImage image(96, 64, QImage::Format_RGB32);
    image.fill(QColor(20, 20, 24));
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    for (int tooth = 0; tooth < 6; ++tooth) {
        painter.setBrush(QColor(200 - tooth * 8, 200 - tooth * 8, 190));
        painter.drawRoundedRect(6 + tooth * 15, 14, 11, 36, 4, 4);
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return CString(bytes.constData(), static_cast<int>(bytes.size()));
}

bool StoreFiles()
{
    CDBFileStore store(dbDatabase);
    const CString dataRoot = GetJ3DataPath(0);
    const CString qaRoot = GetJ3QAPath();
    for (const auto& file : kTextFiles) {
        const CString path = (file.root == ERoot::Data ? dataRoot : qaRoot) + CJ3HostText::FromHost(file.path);
        if (!store.SaveFile(path, CJ3HostText::FromHost(file.text)))
            return false;
    }
    if (!store.SaveFile(dataRoot + CJ3HostText::FromHost(kImagePath), SampleImage()))
        return false;
    return true;
}

bool StorePatients()
{
    CJPat patient(&dbDatabase, nullptr);
    for (const auto& sample : kPatients) {
        patient.Clear();
        patient.m_strPatNr.Format("%10d", sample.number);
        patient.m_strName = CJ3HostText::FromHost(sample.name);
        patient.m_strVorname = CJ3HostText::FromHost(sample.firstName);
        patient.m_strGebDat = sample.birthDate;
        patient.m_strIndexMarker = CString(' ', kMarkerTextLength);
        for (int marker : sample.markers)
            patient.m_strIndexMarker.SetAt(kFirstMarkerPosition + marker, '1');
        patient.m_strEmoji1 = sample.emoji1;
        patient.m_strEmoji2 = sample.emoji2;
        if (!patient.Write(""))
            return false;
    }
    return true;
}

// A practice of a few hundred patients for the patient choice: every
// combination of these names, numbered from 100 on, with birth dates spread
// over the years.
const char* const kSurnames[] = {"Becker",  "Braun",     "Fischer",  "Hartmann", "Hoffmann", "Jäger",   "Koch",
                                 "König",   "Krüger",    "Lange",    "Meyer",    "Möller",   "Neumann", "Richter",
                                 "Schmidt", "Schneider", "Schröder", "Schulz",   "Vogel",    "Wagner"};
const char* const kFirstNames[] = {"Andreas", "Birgit", "Claudia", "Dieter", "Erika",  "Frank", "Gisela", "Heinz",
                                   "Ingrid",  "Jörg",   "Karin",   "Lukas",  "Monika", "Nils",  "Ute"};

// Likely duplicates: the same patient taken up twice or three times under
// new numbers, the name spelt with other case or umlauts as they are folded
// for search ("KOENIG" is not "König", "KÖNIG" is).
struct SDuplicate {
    int number;
    int original; // the number it duplicates
    const char* name;
    const char* firstName;
};
const SDuplicate kDuplicates[] = {
    {900, 1, "MÜLLER", "Hans"},    {901, 1, "Müller", "hans"},    {902, 2, "Schafer", "Anna"},
    {903, 105, "becker", "Frank"}, {904, 215, "KOENIG", "Karin"}, {905, 215, "KÖNIG", "Karin"},
    {906, 354, "Schroder", "Ute"}, {907, 118, "Braun", "Dieter"},
};

bool StorePatient(CJPat& patient, int number, const CString& name, const CString& firstName, const CString& birthDate)
{
    patient.Clear();
    patient.m_strPatNr.Format("%10d", number);
    patient.m_strName = name;
    patient.m_strVorname = firstName;
    patient.m_strGebDat = birthDate;
    patient.m_strIndexMarker = CString(' ', kMarkerTextLength);
    return patient.Write("");
}

bool StorePatientCrowd()
{
    CJPat patient(&dbDatabase, nullptr);
    int number = 100;
    for (const char* surname : kSurnames) {
        for (const char* firstName : kFirstNames) {
            CString birthDate;
            birthDate.Format("%04d%02d%02d", 1935 + number % 80, 1 + number % 12, 1 + number * 7 % 28);
            if (!StorePatient(patient, number++, CJ3HostText::FromHost(surname), CJ3HostText::FromHost(firstName),
                              birthDate))
                return false;
        }
    }
    for (const SDuplicate& duplicate : kDuplicates) {
        CJPat original(&dbDatabase, nullptr);
        original.m_strPatNr.Format("%10d", duplicate.original);
        if (original.GetByK1(0) != CVKRSet::FOUND ||
            !StorePatient(patient, duplicate.number, CJ3HostText::FromHost(duplicate.name),
                          CJ3HostText::FromHost(duplicate.firstName), original.m_strGebDat))
            return false;
    }
    return true;
}

// The patients' notes as the desk of j3praxis keeps them on this
// workstation: <data>eInfo\w<workstation>\jt-j3praxis-PraxisDesk.<patient>.<n>.
bool StoreNotes()
{
    CDBFileStore store(dbDatabase);
    CString workstation = dbLfdWorkstation;
    workstation.TrimLeft();
    for (const auto& sample : kPatients) {
        int position = 0;
        for (const char* note : sample.notes) {
            CString path;
            path.Format("%seInfo\\w%s\\jt-j3praxis-PraxisDesk.%d.%d", GetJ3DataPath(0).GetString(),
                        workstation.GetString(), sample.number, position++);
            if (!store.SaveFile(path, CJ3HostText::FromHost(note)))
                return false;
        }
    }
    return true;
}

bool StoreSettings()
{
    CJParPool record(&dbDatabase, nullptr);
    int marker = 0;
    for (const SMarkerConfig& config : kIndexMarkers) {
        record.Clear();
        record.m_strNr.Format("%3d", 269);
        record.m_strKey.Format("indexmrk%02d", marker++);
        record.m_strValue = MarkerValue(config);
        if (!record.Write(""))
            return false;
    }
    return CJProgPool::SetPermission(291, "eInfo", "", CJProgPool::PERM_WRITE) &&
           CJProgPool::SetPermission(278, "Karteireiter Konfiguration", "", CJProgPool::PERM_WRITE);
}

// The favourites of user 1 on the practice desk (j3praxis): number 1, key
// "favoriten" and the user id, the program ids each followed by "|".
bool StoreFavoriten()
{
    CJParPool record(&dbDatabase, nullptr);
    record.m_strNr.Format("%3d", 1);
    record.m_strKey = "favoriten1";
    record.m_strValue = "101|103|201|301|501|";
    return record.Write("");
}

} // namespace

bool CJ3SamplePractice::Fill(CString& error)
{
    CVKTransaction transaction(dbDatabase);
    const bool filled = transaction.IsActive() && StoreFiles() && StorePatients() && StoreNotes() &&
                        StorePatientCrowd() && StoreSettings() && StoreFavoriten() && transaction.Commit();
    if (!filled)
        error = dbDatabase.GetLastError();
    return filled;
}
