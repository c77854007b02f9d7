#pragma once
#include "vkbasis/CString.h"

// The Daisy knowledge base as the suite calls it. Without the knowledge base
// installed on this machine the library answers from its settings and notes
// each call, so that a program can show that the calls arrive.
extern "C" {
// Whether the "HOZ" part of Daisy is there: the value of the environment
// variable J3_DAISY_HOZ (a decimal number) or, without it, 1.
int HasDaisyHOZ();
void RunDaisy(const CString& first, const CString& second, bool flag);

// Overrides the answer of HasDaisyHOZ.
void J3FremdSetHozAnswer(int answer);
int J3FremdHozCalls();
int J3FremdDaisyCalls();
// The arguments of the last RunDaisy as "first|second|flag" (flag 0 or 1).
const char* J3FremdLastDaisyCall();
}
