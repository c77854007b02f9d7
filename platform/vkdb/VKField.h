#pragma once
#include "vkbasis/CString.h"

// Field helpers of the record classes.
class CVKField {
public:
    // Sort key of a German text: comparing two keys byte-wise orders the
    // texts as a German dictionary does, without regard to case. Letters
    // become capitals; umlauts fold to their base letter (ä -> A, ö -> O,
    // ü -> U), ß to SS, other accented letters of Windows-1252 to their base
    // letter (é -> E, æ -> AE, œ -> OE, þ -> TH); every other byte stays.
    // The dictionary form is chosen over the name-list form (ä -> AE) so that
    // "Müller" sorts beside "Muller". The key is cut to maxLength bytes; a
    // maxLength below 1 gives the empty key.
    static CString MakeKY(const CString& text, int maxLength);
};
