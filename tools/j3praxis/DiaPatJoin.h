#pragma once
#include "J3Dialoge/WPFDiaJoin.h"

// "Patienten zusammenführen": a patient and the patients probably taken up
// twice (the same folded name and birth date) are listed, the patient asked
// for first; the ticked ones are merged into the first row's patient
// (index markers, treatments, eInfo notes) in one transaction and deleted.
// "Anzeigen" ends the dialog so that the desk shows the first ticked patient
// on its patient card.
class CDiaPatJoin : public CWPFDiaJoin {
public:
    // patNr: ten characters, right-aligned; empty lists the practice's first
    // group of likely duplicates.
    CDiaPatJoin(QWidget* parent, const CString& patNr);

    void DoFillListe() override;
    bool DoJoin(const std::vector<CString>& keys) override;
    void DoZoom(const std::vector<CString>& keys) override;

    // The patient to show after "Anzeigen"; empty otherwise.
    const CString& GetZoomPatNr() const { return m_strZoomPatNr; }

private:
    CString m_strZoomPatNr;
};
