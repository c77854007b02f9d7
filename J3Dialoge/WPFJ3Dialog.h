#pragma once
#include "J3Dialoge/EInfo.h"
#include "J3Dialoge/IndexMarkerText.h"
#include "vkbasis/CString.h"
#include "vkwpfcpp/WPFDialog.h"

#include <vector>

class CJParPool;
class CJPat;
class CWPFRoutedEvent;
class CWPFVKIndexMarker;
class QWidget;

// The base of the suite's dialogs: remembers the window placement of each
// dialog class per workstation and restores it the next time the dialog
// opens.
//
// Records of the parameter pool, all with the number "269":
// - "savewps" + the workstation number as three digits: placement is kept
//   on this workstation unless the record is missing or its value is "0".
//   Read once per process.
// - "did" + the dialog number ("%4d", the first is "   0"), value the dialog
//   identity (see GetDialogIdentity): gives each dialog class its number.
// - "dps" + dialog number + workstation as the program knows it: the
//   placement, "flags|showCmd|minX|minY|maxX|maxY|left|top|right|bottom".
//
// AfterInitDialog restores the placement (clipped to the screen; a value
// with fewer than ten numbers, a number beyond 32 bits or an empty normal
// rectangle is ignored; a restored placement turns the toolkit's start-up
// location and size-to-content to manual so that the window keeps it),
// OnClosing saves it, but only for a dialog that got as far as
// AfterInitDialog. A new dialog class gets its number when it is first
// saved: look-up, highest number and new record happen in one write
// transaction, so two workstations closing new dialog classes at the same
// moment never get the same number, and a class is never numbered twice.
// When the database cannot give the write lock in time, the placement is
// not saved this time.
//
// A dialog can be bound to a patient (AddDataPat). It then shows the
// patient's index markers (the tabs of the file card: markers 0 to 24, on
// where the patient's index-marker text has "1" at position 22 + marker),
// the patient's emoji and the patient's eInfo notes; changing the patient or
// closing the dialog writes the markers and notes back. A dialog without a
// patient shows its own notes from when its content first shows and stores
// them when it closes. All of this only under theme 1.
//
// The markers' configuration (records "269"/"indexmrk00" to "indexmrk24",
// "text|tool tip" or "text|tool tip|colour") is read once per process; a
// click on the markers opens CDiaIndexMarkerConfig unless the permission of
// program 278 "Karteireiter Konfiguration" is 0, and a negative permission
// leaves the markers out.
class CWPFJ3Dialog : public CWPFDialog {
public:
    CWPFJ3Dialog(const CString& markupKey, const CString& resourceAssembly, QWidget* parent);
    ~CWPFJ3Dialog() override;
    CWPFJ3Dialog(const CWPFJ3Dialog&) = delete;
    CWPFJ3Dialog& operator=(const CWPFJ3Dialog&) = delete;

    void AfterInitDialog() override;
    void OnContentRendered() override;
    void OnClosing(bool& cancel) override;

    // Appends the 25 markers' configuration to out, in marker order. Unless
    // textsOnly, registers the colours and tool tips application-wide and
    // gives an empty text three blanks. A colour that is not a decimal
    // colour reference leaves the toolkit's colour for that marker.
    static void GetIndexMarkerTexte(std::vector<SIndexMarkerText>& out, bool textsOnly);
    // Switches one marker on or off ("1" or "0" in the patient's text) for
    // every listed patient that exists, in one transaction: all patients
    // change or, on a failure, none. False when the change could not be
    // stored or the marker is not one of 0 to 24.
    static bool SetIndexMarkerMulti(const std::vector<CString>& patNrs, int marker, bool on);

    // Resource assembly, "/" and markup key: "j3wpfcs/jt/j3dialoge/DiaIndexMarkerConfig".
    CString GetDialogIdentity() const;

protected:
    // A value of the dialog kept beside its placement, per dialog class and
    // workstation: key `keyPrefix` + dialog number + workstation, number
    // "269". Kept only where the placement is kept; written only once
    // AfterInitDialog ran. Read gives false when there is no value.
    bool ReadDialogValue(const CString& keyPrefix, CString& value);
    void WriteDialogValue(const CString& keyPrefix, const CString& value);

    // Binds the dialog to the patient (writing back a previous one); an
    // empty number unbinds it. For a dialog whose window is built, from
    // OnInitDialog on.
    void AddDataPat(const CString& patNr);
    // Takes over the record's index-marker flags, notes and emoji.
    void ReadDataPat(const CJPat& record);
    // Writes the notes and the markers into the record; true when the
    // record's index-marker text changed.
    bool WriteDataPat(CJPat& record);
    // Hides all markers of the strip, when there is one.
    void ClearIndexMarkers();

    // Set by a derived dialog that keeps no placement.
    bool m_bNoPlacement = false;
    // Set once the bound patient's notes were read; the dialog's own notes
    // are then left alone.
    bool m_bEInfoDone = false;
    CEInfo m_eInfo;
    // The index-marker strip, owned; null until created.
    CWPFVKIndexMarker* m_pIndexMarker = nullptr;
    // The number of the patient the dialog is bound to; empty when none.
    CString m_strDataPatNr;
    // The patient's index-marker flags as read from the patient record.
    CString m_strIndexFlags;
    // Set when AfterInitDialog ran; only then is the placement saved.
    bool m_bInitDone = false;

private:
    void CreateIndexMarker(bool noConfig, bool changeable);
    void OnIndexMarkerClick(CWPFRoutedEvent& event);
    // Writes back and unbinds the current patient; a patient merged away
    // meanwhile is written into the patient he went into.
    void SaveDataPat();
    // The notes shown and the markers switched here, into the patient the
    // bound one went into (the record's number).
    void SaveIntoKeptPatient(CJPat& kept);

    static bool IsPlacementSaved(CJParPool& pool);
    void RestorePlacement();
    void SavePlacement();
    // The dialog class's number, when the lookup (its result) finds one.
    int LookUpDialogNumber(CJParPool& pool, CString& number) const;
    // The existing number, or a new one stored with the identity; false on a
    // database failure. Runs inside the caller's write transaction.
    bool AllocateDialogNumber(CJParPool& pool, CString& number) const;
};
