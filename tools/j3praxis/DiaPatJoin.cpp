#include "j3praxis/DiaPatJoin.h"

#include "dbdll/JPatDubletten.h"
#include "dbdll/JPatMerge.h"
#include "msgbox/Boxes.h"
#include "vkbasis/DateUtils.h"
#include "vkdb/VKDatabase.h"
#include "winpath/AnsiLiteral.h"

#include <QDialog>
#include <algorithm>

CDiaPatJoin::CDiaPatJoin(QWidget* parent, const CString& patNr)
    : CWPFDiaJoin("jt/j3praxis/DiaPatJoin", "j3wpfcs", parent, patNr)
{
    SetHelpName(__FILE__);
}

void CDiaPatJoin::DoFillListe()
{
    // The tick column is as narrow as its check box, so a click on it ticks.
    m_Liste.AddCheckBoxColumn("", 24, "Ankreuzen: wird in den ersten Patienten übernommen"_ansi);
    m_Liste.AddTextBlockColumn("Nummer", 90, 2, "");
    m_Liste.AddTextBlockColumn("Name", 170, 0, "");
    m_Liste.AddTextBlockColumn("Vorname", 130, 0, "");
    m_Liste.AddTextBlockColumn("Geburtsdatum", 0, 0, "");
    m_Text.SetText("Die angekreuzten Patienten werden in den ersten Patienten der Liste übernommen "_ansi
                   "(Karteireiter, Behandlungen, eInfos) und danach gelöscht."_ansi);
    std::vector<SPatTreffer> group;
    if (!CJPatDubletten(dbDatabase).Find(m_strParam, group))
        HaltE("Patienten zusammenführen"_ansi, dbDatabase.GetLastError(), GetWindow());
    for (const SPatTreffer& patient : group)
        m_Matrix.DoAdd({"0", patient.strPatNr, patient.strName, patient.strVorname, Db2Date(patient.strGebDat)});
}

bool CDiaPatJoin::DoJoin(const std::vector<CString>& keys)
{
    const CString kept = m_Matrix.GetText(0, KeyColumn);
    std::vector<CString> duplicates;
    std::copy_if(keys.begin(), keys.end(), std::back_inserter(duplicates),
                 [&](const CString& key) { return key != kept; });
    if (duplicates.empty()) {
        HaltI("Hinweis",
              "Der erste Patient der Liste bleibt erhalten. Bitte kreuzen Sie die Patienten an, die in ihn "
              "übernommen werden sollen."_ansi,
              GetWindow());
        return false;
    }
    CString error;
    CJPatMerge merge(dbDatabase);
    if (!merge.Merge(kept, duplicates, error)) {
        HaltE("Zusammenführung fehlgeschlagen"_ansi, "Es wurde nichts verändert.\n"_ansi + error, GetWindow());
        return false;
    }
    // A patient has two emoji places; what did not fit is for the person to settle.
    for (const CJPatMerge::SUnplacedEmoji& unplaced : merge.GetUnplacedEmoji()) {
        if (m_strJoinNote.IsEmpty())
            m_strJoinNote = "Beide Emoji-Plätze sind belegt; nicht übernommen:"_ansi;
        m_strJoinNote += "\n" + unplaced.strEmoji + " von Patient " + unplaced.strPatNr;
    }
    return true;
}

void CDiaPatJoin::DoZoom(const std::vector<CString>& keys)
{
    // Patient numbers hold digits and blanks only: lower case changes nothing.
    m_strZoomPatNr = keys.front();
    EndDialog(2);
}
