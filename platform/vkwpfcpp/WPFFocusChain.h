#pragma once

class QWidget;

// Where Tab goes next in a window. An element made after the window stands
// at the end of the window's chain, wherever it is placed; this puts it at
// its place in the reading order.
class CWPFFocusChain {
public:
    // Puts element, with everything inside it, before the first stop of Tab
    // from next on (next itself or one after it, outside element).
    static void PlaceBefore(QWidget& next, QWidget& element);
};
