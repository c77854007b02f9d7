#pragma once
#include "J3Dialoge/J3WinApp.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

class CDBFileDialog;

// The program "j3pick": lets the user choose a file of the practice
// database's file store with the suite's file dialog and prints its real
// store path.
//
//   j3pick [--db FILE] [--save] [--multi] [--filter TEXT] [--dir STOREDIR]
//          [--up] [--down] [--name NAME] [--no-overwrite] [--screenshot PNG]
//
// Choices made here:
// - Exit codes: 0 chosen (the path, or one path a line for a multiple
//   selection, on out), 1 cancelled, 2 an error or a wrong call (the reason
//   on err). Paths and messages are UTF-8 on the command line and in the
//   output; the store keeps Windows-1252.
// - A single choice goes through J3GetPathNameFromDBFileDialog; a multiple
//   selection, --no-overwrite and --screenshot need the dialog class itself.
// - The initial directory defaults to the data directory of the machine
//   configuration; one that the dialog would refuse is reported as an error
//   before any window opens, so that an unattended run never waits on a box.
// - --screenshot saves the dialog as it first shows and cancels it; the run
//   counts as done (0) when the picture was written. It needs no display: the
//   picture is drawn on the offscreen platform when there is none.
class CJ3PickApp : public CJ3WinApp {
public:
    CJ3PickApp(std::ostream& out, std::ostream& err, std::vector<std::string> args);

    // The program's start: help, a wrong call and a missing display are
    // answered before Qt starts, so that none of them needs a display.
    int Main(int argc, char** argv);

    int Run() override;

    // The whole run on these arguments; the exit code. Needs a Qt application.
    int Pick();

private:
    struct SOptions {
        bool save = false;
        bool multi = false;
        bool allowDirUp = false;
        bool allowDirDown = false;
        bool allowOverwrite = true;
        std::string database;
        std::string filter = "Alle Dateien (*.*)|*.*||";
        std::string initialDir;
        bool initialDirGiven = false;
        std::string fileName;
        std::string screenshot;
    };

    // False (reported) on a wrong call; help set for --help.
    bool ParseArguments(SOptions& options, bool& help);
    // The exit code when the arguments already answer the call (help, a
    // wrong call), otherwise nothing.
    std::optional<int> ParseOrAnswer(SOptions& options);
    // The run on arguments already read: Main reads them before Qt starts.
    int PickWith(const SOptions& options);
    bool OpenDatabase(const SOptions& options);
    int RunDialog(const SOptions& options);
    int RunPlainFunction(const SOptions& options);
    int TakeScreenshot(CDBFileDialog& dialog, const std::string& file);
    int Fail(const std::string& message);

    std::ostream& m_out;
    std::ostream& m_err;
    std::vector<std::string> m_args;
    SOptions m_options;
};
