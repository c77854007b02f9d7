#include "j3praxis/J3PraxisProgramme.h"

#include "winpath/AnsiLiteral.h"

#include <algorithm>
#include <iterator>

namespace {

const char* Kategorien[] = {"Patienten", "Behandlung", "Abrechnung", "Verwaltung", "Labor und Röntgen"_ansi, "System"};

// Texts are Windows-1252, as the suite stores them.
const SFavoProgramm Programme[] = {
    {0, 101, "Patientenkartei", "Kartei80", true},
    {0, 102, "Patientenaufnahme", "Kartei80", true},
    {0, 103, "Terminbuch", "Termin80", true},
    {0, 104, "Recall", "Termin80", true},
    {0, 105, "Wartezimmer", "Termin80", true},
    {0, 106, "Anamnese", "Befund80", true},
    {0, 107, "Korrespondenz", "Brief80", true},
    {1, 201, "Befund und Planung", "Befund80", true},
    {1, 202, "Parodontalstatus", "Befund80", true},
    {1, 203, "Heil- und Kostenplan", "Befund80", true},
    {1, 204, "Leistungserfassung", "Befund80", true},
    {1, 205, "Rezepte", "Rezept80", true},
    {1, 206, "Kieferorthopädie"_ansi, "Befund80", true},
    {1, 207, "Prophylaxe", "Befund80", true},
    {1, 208, "Implantologie", "Befund80", true},
    {2, 301, "Quartalsabrechnung", "Abrechnung80", true},
    {2, 302, "Privatliquidation", "Abrechnung80", true},
    {2, 303, "Mahnwesen", "Brief80", true},
    {2, 304, "Zahlungseingänge"_ansi, "Abrechnung80", true},
    {2, 305, "Kassenbuch", "Abrechnung80", true},
    {2, 306, "Online-Abrechnung", "Abrechnung80", true},
    {2, 307, "Factoring", "Abrechnung80", true},
    {3, 401, "Statistik", "Statistik80", true},
    {3, 402, "Materialwirtschaft", "Programm80", true},
    {3, 403, "Personal und Dienstplan", "Termin80", true},
    {3, 404, "Serienbriefe", "Brief80", true},
    {3, 405, "Qualitätsmanagement"_ansi, "Programm80", true},
    {3, 406, "Hygieneprotokolle", "Programm80", true},
    {3, 407, "Praxisauswertung", "Statistik80", true},
    {4, 501, "Röntgen <Bilder> & Befunde"_ansi, "Roentgen80", true},
    {4, 502, "Röntgenbuch"_ansi, "Roentgen80", true},
    {4, 503, "Eigenlabor", "Labor80", true},
    {4, 504, "Fremdlabor-Aufträge"_ansi, "Labor80", true},
    {4, 505, "Laborrechnungen", "Abrechnung80", true},
    {4, 506, "Intraorale Kamera", "Roentgen80", true},
    {5, 601, "Einstellungen", "Einstellungen80", true},
    {5, 602, "Benutzerverwaltung", "Einstellungen80", true},
    {5, 603, "Datensicherung", "Einstellungen80", true},
    {5, 604, "Karteireiter", "Einstellungen80", true},
    {5, 605, "Programmaktualisierung", "Programm80", true},
    {5, 606, "Fernwartung", "Programm80", true},
    {-1, 0, nullptr, nullptr, false},
};

} // namespace

CJ3PraxisProgramme::CJ3PraxisProgramme() : m_programme(std::begin(Programme), std::end(Programme))
{
}

const char** CJ3PraxisProgramme::Kategorien()
{
    return ::Kategorien;
}

bool CJ3PraxisProgramme::IsLicensed(int id)
{
    // The sample practice has no licence for factoring and remote service.
    return id != 307 && id != 606;
}
