#include "j3db/J3SamplePractice.h"

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
    int number;
    const char* name;
    const char* firstName;
    const char* birthDate; // JJJJMMTT
    std::initializer_list<int> markers;
};

const SSamplePatient kPatients[] = {
    {1, "Müller", "Hans", "19580314", {0, 2}},
    {2, "Schäfer", "Anna", "19830722", {1}},
    {3, "Öztürk", "Elif", "19910105", {}},
    {4, "Weiß", "Jürgen", "19470930", {0, 4}},
    {5, "Groß", "Lena", "20150611", {3}},
};

// "text|tool tip" or "text|tool tip|colour", as the index-marker records hold them.
const char* const kIndexMarkers[] = {
    "Recall|Recall fällig|4293212469",
    "Allergie|Allergie beachten (Penicillin)|4294940672",
    "Angst|Angstpatient, mehr Zeit einplanen",
    "Kind|Kinderbehandlung|4283215696",
    "Implantat|Implantatversorgung|4280391411",
};

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
        if (!patient.Write(""))
            return false;
    }
    return true;
}

bool StoreSettings()
{
    CJParPool record(&dbDatabase, nullptr);
    int marker = 0;
    for (const char* value : kIndexMarkers) {
        record.Clear();
        record.m_strNr.Format("%3d", 269);
        record.m_strKey.Format("indexmrk%02d", marker++);
        record.m_strValue = CJ3HostText::FromHost(value);
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
    const bool filled = transaction.IsActive() && StoreFiles() && StorePatients() && StoreSettings() &&
                        StoreFavoriten() && transaction.Commit();
    if (!filled)
        error = dbDatabase.GetLastError();
    return filled;
}
