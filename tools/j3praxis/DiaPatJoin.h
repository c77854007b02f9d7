#pragma once
#include "J3Dialoge/WPFDiaJoin.h"

#include <functional>

// "Patienten zusammenführen": a patient and the patients probably taken up
// twice (the same folded name and birth date) are listed, the patient asked
// for first; the ticked ones are merged into the first row's patient
// (index markers, treatments, eInfo notes) in one transaction and deleted.
// "Anzeigen" shows the first ticked patient on the desk's patient card.
class CDiaPatJoin : public CWPFDiaJoin {
public:
    // patNr: ten characters, right-aligned; empty lists the practice's first
    // group of likely duplicates. showPatient shows a patient on the card.
    CDiaPatJoin(QWidget* parent, const CString& patNr, std::function<void(const CString&)> showPatient);

    void DoFillListe() override;
    bool DoJoin(const std::vector<CString>& keys) override;
    void DoZoom(const std::vector<CString>& keys) override;

private:
    std::function<void(const CString&)> m_showPatient;
};
