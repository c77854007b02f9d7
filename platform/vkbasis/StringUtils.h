#pragma once

#include "vkbasis/CString.h"

#include <vector>

// Splits text at every separator into pieces, which replace the former
// content of pieces; returns their number. The empty text gives no piece.
// With dropEmptyLast, the empty piece after a final separator is left out, so
// that lists stored as "12|34|" give exactly "12" and "34"; without it,
// "12|34|" gives three pieces, the last one empty. Empty pieces inside
// ("a||b") are always kept: they hold a position.
int SeparatedStrToVec(const CString& text, char separator, std::vector<CString>& pieces, bool dropEmptyLast = true);

// The count characters of text from index first on; a negative count means
// up to the end. Indices are clamped like CString::Mid.
CString GetMidStr(const CString& text, int first, int count);

// Overwrites count characters of target from index pos on with the start of
// text: a negative count writes all of text, 0 writes nothing, a text shorter
// than count is padded with blanks. A target shorter than pos is first padded
// with blanks; a negative pos counts as 0. The counterpart of GetMidStr: after
// PutMidStr(t, p, x, n) with n >= 0, GetMidStr(t, p, n) is x cut or padded to n.
void PutMidStr(CString& target, int pos, const CString& text, int count);

// Pads text with fill at its end to at least length characters; a longer
// text stays as it is. Returns text.
CString& FillTail(CString& text, int length, char fill);

// A German byte-count text: below 1024 the whole number with "Byte"/"Bytes"
// ("0 Bytes", "1 Byte", "1023 Bytes"); from there KB, MB, GB or TB (steps of
// 1024) with one decimal after a comma, rounded half up ("1,5 KB", "10,0 MB",
// "2,3 GB" for 2.25 GB), switching to the
// next unit when rounding would reach 1024 ("1,0 MB", never "1024,0 KB").
// Beyond TB the number of TB just grows. A negative, infinite or NaN count is
// no size and gives the empty text.
CString BytesToString(double bytes);
