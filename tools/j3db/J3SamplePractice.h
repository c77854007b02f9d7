#pragma once
#include "vkbasis/CString.h"

// A small practice to try the suite on: letters, an image and logs in nested
// folders below the data root and the QA root of the machine configuration,
// a few patients with birth dates, index markers, emoji and eInfo notes (as
// the desk of j3praxis keeps them on this workstation), the configuration of
// ten index markers, and practice-wide permissions for the eInfo notes
// (program 291) and the index-marker configuration (program 278).
class CJ3SamplePractice {
public:
    // Writes everything into the open practice database (dbDatabase) in one
    // transaction: all of it or, with false and the reason, nothing.
    static bool Fill(CString& error);
};
