#include "j3patwahl/J3PatWahl.h"

#include "j3patwahl/DiaPatWahl.h"

#include <QApplication>

bool J3sPatWahl(int, const CString& search, CString& patNr)
{
    // Modal over whatever window called: a dialog's patient field or a desk.
    QWidget* parent =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    CDiaPatWahl choice(parent, search);
    if (choice.DoModal() != 1)
        return false;
    patNr = choice.GetPatNr();
    return true;
}
