// The load run of the practice database: workstations writing at once.
//
//   j3loadrun station SECONDS JOURNAL     one workstation (J3_WORKSTATION),
//                                         writes for SECONDS, then its journal
//   j3loadrun verify SECONDS JOURNAL...   checks every journal's last values
//                                         and prints the totals
//   j3loadrun verify-cut SECONDS JOURNAL...  the same after the server went
//                                         away in the middle: failed writes
//                                         and boxes are reported, not faults;
//                                         per workstation its longest outage
//
// Both work on the database of the machine configuration or of J3_DB
// (a file or a server's URL). scripts/load-run.sh runs the whole load.
#include "LoadErrorLog.h"
#include "LoadWorkstation.h"
#include "dbdll/DBIdentity.h"
#include "dbdll/PracticeDatabase.h"
#include "j3params/J3MachineConfig.h"
#include "support/BenchDialogs.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    const std::string mode = argc > 3 ? argv[1] : "";
    const long seconds = argc > 3 ? std::strtol(argv[2], nullptr, 10) : 0;
    if ((mode != "station" && mode != "verify" && mode != "verify-cut") || seconds <= 0) {
        std::cerr << "Aufruf: j3loadrun station SEKUNDEN JOURNAL | verify|verify-cut SEKUNDEN JOURNAL...\n";
        return 2;
    }
    j3bench::Application();
    std::string configError;
    CString error;
    if (!CJ3MachineConfig::ReloadCurrent(configError) || !CPracticeDatabase::Open(error)) {
        std::cerr << "j3loadrun: " << configError << error.GetString() << "\n";
        return 1;
    }
    if (mode == "station") {
        const CLoadErrorLog errorLog;
        CLoadWorkstation workstation;
        workstation.Run(std::chrono::seconds(seconds));
        CPracticeDatabase::Close();
        return workstation.WriteJournal(argv[3]) ? 0 : 1;
    }
    CLoadWorkstation::SVerdict total;
    for (int i = 3; i < argc; ++i) {
        const CLoadWorkstation::SVerdict verdict = CLoadWorkstation::Verify(argv[i]);
        if (!verdict.readable)
            std::cerr << "j3loadrun: kein Journal " << argv[i] << " (Arbeitsplatz abgestürzt?)\n";
        total.readable = total.readable && verdict.readable;
        total.checked += verdict.checked;
        total.lost += verdict.lost;
        total.writes += verdict.writes;
        total.errors += verdict.errors;
        total.boxes += verdict.boxes;
        if (mode == "verify-cut")
            std::cout << "Arbeitsplatz " << dbLfdWorkstation.GetString() << ": längste Unterbrechung "
                      << verdict.longestOutageMs << " ms, nicht geschrieben " << verdict.errors << ", Meldungen "
                      << verdict.boxes << "\n";
    }
    CPracticeDatabase::Close();
    std::cout << "Arbeitsplätze " << argc - 3 << ", Schreibvorgänge " << total.writes << " ("
              << total.writes / static_cast<std::size_t>(seconds) << "/s), letzte Werte geprüft " << total.checked
              << ", verloren " << total.lost << ", nicht geschrieben " << total.errors << ", Meldungen " << total.boxes
              << "\n";
    const bool clean = mode == "verify-cut" || (total.errors == 0 && total.boxes == 0);
    return total.readable && total.lost == 0 && clean ? 0 : 1;
}
