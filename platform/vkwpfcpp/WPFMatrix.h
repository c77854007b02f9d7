#pragma once
#include "vkwpfcpp/WPFMatrixBase.h"

// A table of a fixed number of columns known when the program is written.
template <int Columns> class CWPFMatrix : public CWPFMatrixBase {
    static_assert(Columns > 0, "a table has at least one column");

public:
    CWPFMatrix() : CWPFMatrixBase(Columns) {}
};
