#pragma once

class CWPFEventList;
class CWPFWndBase;
class QAbstractItemView;
class QObject;

// Raises the double-click event of a list or tree wrapper for every double
// click in its view, with the row under the pointer (within its parent), and
// -1 below the last row: the dialog decides what a double click on no row
// means. The watch ends with the context object.
class CWPFDoubleClickWatch {
public:
    static void Install(QAbstractItemView* view, CWPFWndBase* source, CWPFEventList& handlers, QObject* context);
};
