#pragma once
#include "WPFJ3DialogFixture.h"

#include "vkbasis/CString.h"

#include <string>

class QDialog;

constexpr SProgramUser Workstation1{"1", "12"};

// A practice with patients, on which the desk of j3praxis runs as a program
// of its own on workstation 1.
class PraxisFixture : public WPFJ3DialogFixture {
protected:
    // The patient number as stored: right-aligned in ten characters.
    static CString PatNr(int number);
    void StorePatient(int number, const char* name, const std::string& indexMarker, const char* emoji = "");
    void SetMarkerPermission(int permission);
    // The patient's index-marker text as stored; "?" when there is no such patient.
    std::string StoredFlags(int number);
    // Where the desk keeps the notes of a key on workstation 1.
    static std::string DeskNote(const char* key, int position);

    // In a program: the markers the desk's strip shows, as "0 3 24";
    // "no strip" when the desk has none.
    static std::string ShownMarkers(QDialog& window);
    // The flags text with "1" at 22 + each marker.
    static std::string Flags(std::initializer_list<int> markers);
};
