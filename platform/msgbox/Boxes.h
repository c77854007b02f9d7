#pragma once
#include "msgbox/BoxText.h"
#include "vkbasis/CString.h"

class QWidget;

// The suite's modal boxes. Caption and text are each an 8-bit text or the
// number of one of the suite's texts (CStringTable); the last argument is the
// parent window, 0 for none. With a CBoxAnswerer installed nothing is shown:
// the box is recorded and answered there. Without a Qt application the box
// cannot be shown: it is written to stderr and gets the answer of a closed
// box (OK, or no for a question).

// Answer codes of the boxes.
inline constexpr int BOX_OK = 1;
inline constexpr int BOX_YES = 10;
inline constexpr int BOX_NO = 11; // also a question closed without choosing

int HaltE(const CBoxText& caption, const CBoxText& text, QWidget* parent);   // error, an operation stopped
int HaltI(const CBoxText& caption, const CBoxText& text, QWidget* parent);   // refused input or notice
int Halt(const CBoxText& caption, const CBoxText& text, QWidget* parent);    // plain notice
int VKHaltE(const CBoxText& caption, const CBoxText& text, QWidget* parent); // error of the interface library
// Question: "Ja" gives BOX_YES, "Nein" BOX_NO; Return chooses "Ja", Escape or
// closing the box "Nein".
int SollIch(const CBoxText& caption, const CBoxText& text, QWidget* parent);

// Input box. The field description is a sequence of fields, each a label
// followed by a field in brackets, "[kind,initial text]" (see
// CParamDescription): "Verzeichnisname: [text,]". On confirmation every
// bracketed field in the description is replaced by the entered text
// ("Verzeichnisname: Briefe") and the result is nonzero. Cancelled: 0, the
// description unchanged. A malformed description shows an error box naming
// the fault and returns 0, the description unchanged.
int VKParamBox(CString& description, QWidget* parent, const CBoxText& title);

// Progress box: a window that shows a text and a bar while the caller works
// on the interface thread. Only one is open at a time; it is window-modal over
// its parent so that the work cannot be disturbed, yet the calls return at
// once. Calls out of order are harmless: an update, a text or a close without
// an open box does nothing.
//
// Opens the box (or resets the open one) with a text; withCancel nonzero adds
// an "Abbrechen" button; style is the caller's style word, kept for callers,
// with no effect on the look here; position and total give the first bar
// state (total 0: no steps known yet). Nonzero on success, 0 when no box can
// be shown.
int J3OpenProgressBox(QWidget* parent, const CBoxText& text, int withCancel, unsigned int style, int position,
                      int total);
// Sets the box's text. The two further arguments are kept for callers and
// have no effect here.
void J3SetProgressBoxText(const CBoxText& text, int, int);
// Moves the bar to position of total (clamped into 0..total; total <= 0 shows
// a busy bar). Nonzero while the box is open and not cancelled by the user.
int J3UpdateProgressBox2(int position, int total);
void J3CloseProgressBox();
