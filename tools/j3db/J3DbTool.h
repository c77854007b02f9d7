#pragma once
#include "j3db/J3DbCommand.h"
#include "j3db/J3DbResult.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The practice database admin tool behind the command "j3db":
//
//   j3db [--db FILE|URL] init [--sample] [FILE|URL]
//   j3db [--db FILE|URL] ls [-l] STOREDIR|PATTERN
//   j3db [--db FILE|URL] put LOCAL STOREPATH
//   j3db [--db FILE|URL] get STOREPATH [LOCAL]
//   j3db [--db FILE|URL] rm STOREPATH
//   j3db [--db FILE|URL] import LOCALDIR STOREDIR
//   j3db [--db FILE|URL] param get NR KEY | param set NR KEY VALUE | param ls [NR]
//   j3db migrate FROM TO
//
// Without --db the database of the machine configuration is used. A database
// is a file or a server's URL ("postgresql://user@host:port/name"). Store paths
// are Windows paths in the database file store ("C:\J3\Daten\Briefe"); the
// command line and the output are UTF-8, the store keeps Windows-1252, and a
// name that 1252 cannot show is refused rather than changed.
//
// Choices made here:
// - Messages are German, as every text of the suite.
// - Exit codes: 0 done, 1 the work failed (the reason on err), 2 wrong call
//   (with a hint to --help). A failure changes nothing: import runs in one
//   transaction, init --sample removes the new file again, get writes its
//   local file under a temporary name and renames it only when complete.
// - put and import keep the local files' last write times.
// - "put LOCAL DIR\" (a store path ending in a separator) stores under the
//   local file's name; "get PATH DIR" into an existing local folder likewise.
// - ls of a store path that names a file lists that file; a pattern with "*"
//   or "?" in its last element lists what matches it.
// - rm removes files only; a directory goes with its last file.
// - migrate copies a whole practice into a database without records (a new
//   file is created) in one transaction, and commits only when the copy's
//   record counts and content hashes equal the source's (CJ3PracticeCopy).
//   Ctrl+C or a kill stops it with nothing copied.
// - import takes regular files (symbolic links to files included) and does
//   not follow linked folders; empty folders cannot exist in the store and are
//   passed over.
//
// Each command is a class of its own (CJ3DbInit, CJ3DbList, ...) run in a
// CJ3DbFrame; every failure comes back as a CJ3DbResult, reported here.
class CJ3DbTool {
public:
    // out: listings, file contents and reports; err: errors and the progress
    // bar, which is drawn only when progressBar is set (stderr is a terminal).
    CJ3DbTool(std::ostream& out, std::ostream& err, bool progressBar);

    // The arguments after the program name; returns the exit code.
    int Run(const std::vector<std::string>& args);

private:
    // The options, then the command with its arguments.
    CJ3DbResult Dispatch(const std::vector<std::string>& args);
    // Runs a chosen command in a frame on the configured or given database.
    // database: the one given with --db, if any.
    CJ3DbResult RunCommand(CJ3DbCommand::Handler run, const std::vector<std::string>& args,
                           const std::optional<std::filesystem::path>& database);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_progressBar;
};
