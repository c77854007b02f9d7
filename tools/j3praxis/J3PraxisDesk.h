#pragma once
#include "J3Dialoge/DiaPatSearchEdit.h"
#include "j3praxis/J3PraxisFavoriten.h"
#include "j3praxis/J3PraxisPatienten.h"
#include "vkwpfcpp/WPFMatrix.h"
#include "vkwpfcpp/WPFVKButton.h"
#include "vkwpfcpp/WPFVKLListView.h"
#include "vkwpfcpp/WPFVKTextBlock.h"

#include <array>
#include <memory>

class CWPFSelectionChangedEvent;

// The practice's desk in j3praxis: the patients of the practice on the left,
// the work on the chosen patient on the right, as tabs ("DeskTabs"), with
// the desk's buttons below them ("DeskButtons"). The desk is bound to the
// chosen patient, so it shows the patient's index markers along its top
// edge, the patient's emoji and eInfo notes; choosing another patient or
// closing the desk stores what changed.
//
// The first tab is the patient's file card: name, number and birth date,
// and a switch per index marker. "Karteireiter konfigurieren" opens the
// markers' configuration. The tab "Programme" holds the favourites tab over
// the suite's programs, with the user's favourites, which are stored when the
// desk closes.
//
// Above the list, the patient field: a number typed there shows the patient
// when the field is left, anything else opens the patient choice, and so
// does "Suchen" while the field has the focus. "Patienten zusammenführen"
// merges likely duplicates of the patient into it. When another workstation
// merges the desk's patient away, the desk stores what it shows into the
// kept patient, says so once and shows the kept patient.
//
// A further panel is a tab of "DeskTabs" or a button of "DeskButtons" in
// the desk's markup ("jt/j3praxis/PraxisDesk"), bound in OnInitDialog.
class CJ3PraxisDesk : public CDiaPatSearchEdit {
public:
    // The desk opens on the patient with that number (ten characters,
    // right-aligned), or on the first patient when it is empty or unknown.
    explicit CJ3PraxisDesk(const CString& startPatNr);

    CWPFWndBase* OnInitDialog() override;
    void OnContentRendered() override;
    bool OnExitPatSearch() override;
    void OnSearch() override;

    // Opens the desk with this text typed into the patient field and left,
    // so that the patient choice shows on it.
    void SetStartSearch(const CString& text) { m_strStartSearch = text; }
    void OnClosing(bool& cancel) override;
    // The desk opens on its tab "Programme".
    void OpenOnProgramme() { m_bOpenOnProgramme = true; }

    // The number of the patient the desk is bound to; empty when none.
    const CString& GetPatNr() const { return m_strDataPatNr; }

private:
    static constexpr int kMarkers = 25;
    // How often the desk asks whether its patient was merged away elsewhere.
    static constexpr int MergeWatchMilliseconds = 2000;
    enum EPatientColumn {
        ColName = CJ3PraxisPatienten::ColName,
        ColFirstName = CJ3PraxisPatienten::ColFirstName,
        ColBirthDate = CJ3PraxisPatienten::ColBirthDate,
        ColNr = CJ3PraxisPatienten::ColNr,
        PatientColumns = CJ3PraxisPatienten::Columns
    };

    void InitPatientList();
    void FillPatientList();
    void InitCard();
    void InitButtons();
    void InitProgramme();
    void SizeToScreen();
    void ChoosePatient(int row);
    void ShowPatient(int row);
    // Chooses and shows the patient of that number, also in the patient field.
    void ShowPatientNr(const CString& patNr);
    // The patient field shows the patient as if it had been typed there.
    void ShowInPatientField(const CString& patNr);
    // When another workstation merged the bound patient away: stores what
    // the desk shows into the kept patient, says so once and shows him.
    void FollowMergedPatient();

    void OnPatientSelected(CWPFSelectionChangedEvent& event);
    void OnMarkerSwitched(CWPFRoutedEvent& event);
    void OnConfigClick(CWPFRoutedEvent& event);
    void OnMergeClick(CWPFRoutedEvent& event);

    CString m_strStartPatNr;
    CString m_strStartSearch;
    CWPFVKLListView m_patients;
    // The list's rows are read from m_patientPages as they are shown.
    CJ3PraxisPatienten m_patientPages;
    CWPFMatrix<PatientColumns> m_patientRows;
    CWPFVKTextBlock m_name;
    CWPFVKTextBlock m_details;
    std::array<CWPFVKButton, kMarkers> m_markerSwitches;
    CWPFVKButton m_config;
    CWPFVKButton m_merge;
    CWPFWndBase m_favoritenHost;
    CWPFVKTextBlock m_programmStatus;
    std::unique_ptr<CJ3PraxisFavoriten> m_favoriten;
    bool m_bOpenOnProgramme = false;
};
