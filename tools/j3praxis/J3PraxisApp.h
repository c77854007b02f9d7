#pragma once
#include "J3Dialoge/J3WinApp.h"

#include <ostream>
#include <string>
#include <vector>

// The program "j3praxis": the practice's desk (CJ3PraxisDesk) on the
// practice database, where the module's dialogs meet real records.
//
//   j3praxis [--db FILE] [--pat NUMBER] [--suche TEXT] [--karteireiter] [--programme]
//            [--screenshot PNG]
//
// The database is the machine configuration's unless --db names one; the
// desk opens on the patient --pat names, else on the first; --suche types
// the text into its patient field and leaves it. --karteireiter
// opens the index markers' configuration instead of the desk, --programme
// opens the desk on its programs and favourites. --screenshot saves the
// dialog as it first shows and closes it; it needs no display (the picture
// is drawn offscreen when there is none). Exit codes: 0 done, 2 an
// error or a wrong call (the reason on err).
class CJ3PraxisApp : public CJ3WinApp {
public:
    CJ3PraxisApp(std::ostream& out, std::ostream& err, std::vector<std::string> args);

    // The program's start: help, a wrong call and a missing display are
    // answered before Qt starts.
    int Main(int argc, char** argv);

    int Run() override;

private:
    struct SOptions {
        std::string database;
        std::string patNr;
        int patNumber = 0; // patNr read, once it is checked
        std::string search;
        std::string screenshot;
        bool markerConfig = false;
        bool programme = false;
        bool help = false;
    };

    bool ParseArguments(SOptions& options);
    // The run on the options Main parsed; the exit code.
    int Practise();
    int Fail(const std::string& message);

    std::ostream& m_out;
    std::ostream& m_err;
    std::vector<std::string> m_args;
    SOptions m_options;
};
