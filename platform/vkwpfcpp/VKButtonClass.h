#pragma once

// Button classes of the standard buttons that a dialog's frame shows below
// its markup, with their German texts and what they call:
//   1 VKButtonOK       "OK"         OnSaveAndExit (confirm)
//   2 VKButtonCancel   "Abbrechen"  OnExit (as Escape and the close button)
//   9 VKButtonHelp     "Hilfe"      OnHelp (as F1)
//  12 VKButtonSelect   "Auswählen"  OnSelect (take the chosen row)
//  16 VKButtonPrint    "Drucken"    OnPrint
//  17 VKButtonZoom     "Anzeigen"   OnZoom (show the chosen records)
//  18 VKButtonSearch   "Suchen"     OnSearch
// The markup chooses which of them the frame shows at start with the root
// element's property "vkButtons" (numbers separated by commas, "" for none);
// without it the frame shows OK, Abbrechen and Hilfe.
enum EVKButtonClass {
    VKButtonOK = 1,
    VKButtonCancel = 2,
    VKButtonHelp = 9,
    VKButtonSelect = 12,
    VKButtonPrint = 16,
    VKButtonZoom = 17,
    VKButtonSearch = 18,
};
