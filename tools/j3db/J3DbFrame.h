#pragma once
#include "j3db/J3DbResult.h"
#include "j3db/J3InterruptCatcher.h"
#include "j3db/J3ProgressBar.h"
#include "vkbasis/CString.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

// What the commands of the admin tool share: the output, the practice
// database (dbDatabase, closed when the frame goes), the progress bar's
// style and the handling of interrupts.
class CJ3DbFrame {
public:
    // out: listings, file contents and reports; err: the progress bar, drawn
    // only when progressBar is set (err is a terminal). database: where the
    // commands work, given or configured.
    CJ3DbFrame(std::ostream& out, std::ostream& err, bool progressBar, std::filesystem::path database,
               bool databaseGiven);
    ~CJ3DbFrame();
    CJ3DbFrame(const CJ3DbFrame&) = delete;
    CJ3DbFrame& operator=(const CJ3DbFrame&) = delete;

    // A database named on the command line: a server's URL as given, a file
    // relative to the working folder.
    static std::filesystem::path Location(const std::string& argument);

    std::ostream& Out() { return m_out; }
    std::ostream& Err() { return m_err; }
    const std::filesystem::path& Database() const { return m_database; }
    bool DatabaseGiven() const { return m_databaseGiven; }

    // Opens the database as dbDatabase; readOnly for commands that only read.
    CJ3DbResult OpenDatabase(bool readOnly);
    // A store path from the command line, and the database opened for it.
    CJ3DbResult OpenForStorePath(const std::string& argument, bool readOnly, CString& path);
    // The last failure of dbDatabase.
    static CJ3DbResult DatabaseFailure();

    // The bar on a terminal, else withoutTerminal.
    CJ3ProgressBar::EStyle ProgressStyle(CJ3ProgressBar::EStyle withoutTerminal) const;

    // From now on until the frame goes, an interrupt only sets Interrupted().
    void CatchInterrupts();
    static bool Interrupted() { return CJ3InterruptCatcher::Caught(); }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_progressBar;
    std::filesystem::path m_database;
    bool m_databaseGiven;
    std::optional<CJ3InterruptCatcher> m_interrupts;
};
