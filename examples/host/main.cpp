// A host program: its own application object on the module's frame, the
// configured practice database, and one file chosen from its file store.
#include "J3Dialoge/DBFileDialog.h"
#include "J3Dialoge/J3WinApp.h"
#include "dbdll/PracticeDatabase.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <iostream>

class CHostApp : public CJ3WinApp {
public:
    explicit CHostApp(bool closeAtOnce) : CJ3WinApp("j3host"), m_closeAtOnce(closeAtOnce) {}

    int Run() override
    {
        CString error;
        if (!CPracticeDatabase::Open(error)) {
            std::cerr << "j3host: " << error.GetString() << '\n';
            return m_nExitCode = 2;
        }
        if (m_closeAtOnce) // a check that the dialog opens, for scripts
            QTimer::singleShot(500, [] {
                if (QWidget* dialog = QApplication::activeModalWidget()) {
                    std::cout << "Geschlossen: " << dialog->windowTitle().toStdString() << '\n';
                    dialog->close();
                }
            });
        const CString path = J3GetPathNameFromDBFileDialog(
            {1, nullptr, nullptr, 0, "Alle Dateien (*.*)|*.*||", nullptr, 0, 0, "C:\\J3\\Daten\\", true, true});
        std::cout << (path.IsEmpty() ? "(keine Datei)" : path.GetString()) << '\n';
        CPracticeDatabase::Close();
        return m_nExitCode = 0;
    }

private:
    bool m_closeAtOnce;
};

int main(int argc, char** argv)
{
    CHostApp app(argc > 1 && std::strcmp(argv[1], "--close") == 0);
    return app.WinMain(argc, argv);
}
