// A host program with a dialog of its own: the recall of a patient, on the
// module's base dialog, so that it keeps its window placement per
// workstation like the suite's dialogs.
#include "J3Dialoge/J3WinApp.h"
#include "J3Dialoge/WPFJ3Dialog.h"
#include "dbdll/PracticeDatabase.h"
#include "vkwpfcpp/WPFVKTextBlock.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cstring>
#include <iostream>

class CRecallDialog : public CWPFJ3Dialog {
public:
    CRecallDialog() : CWPFJ3Dialog("Recall", "j3recall", nullptr) {}

    CWPFWndBase* OnInitDialog() override
    {
        CWPFWndBase* root = CWPFJ3Dialog::OnInitDialog();
        m_text.Attach(this, "VKTEXT");
        m_text.SetText("Der Patient wird in sechs Monaten zur Kontrolle einbestellt.");
        return root;
    }

private:
    CWPFVKTextBlock m_text;
};

class CRecallApp : public CJ3WinApp {
public:
    explicit CRecallApp(bool closeAtOnce) : CJ3WinApp("j3recall"), m_closeAtOnce(closeAtOnce) {}

    int Run() override
    {
        CString error;
        if (!CPracticeDatabase::Open(error)) {
            std::cerr << "j3recall: " << error.GetString() << '\n';
            return m_nExitCode = 2;
        }
        CRecallDialog dialog;
        if (m_closeAtOnce) // a check that the dialog opens, for scripts
            QTimer::singleShot(500, [&dialog] {
                std::cout << "Geschlossen: " << dialog.GetWindow()->windowTitle().toStdString() << '\n';
                dialog.EndDialog(2);
            });
        const int answer = dialog.DoModal();
        CPracticeDatabase::Close();
        return m_nExitCode = answer == -1 ? 1 : 0;
    }

private:
    bool m_closeAtOnce;
};

int main(int argc, char** argv)
{
    CRecallApp app(argc > 1 && std::strcmp(argv[1], "--close") == 0);
    return app.WinMain(argc, argv);
}
