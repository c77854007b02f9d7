#pragma once
#include "vkbasis/CString.h"

#include <filesystem>
#include <ostream>
#include <span>
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
class CJ3DbTool {
public:
    // out: listings, file contents and reports; err: errors and the progress
    // bar, which is drawn only when progressBar is set (stderr is a terminal).
    CJ3DbTool(std::ostream& out, std::ostream& err, bool progressBar);

    // The arguments after the program name; returns the exit code.
    int Run(const std::vector<std::string>& args);

private:
    using Args = std::vector<std::string>;
    struct SCommand {
        const char* name;
        std::size_t minArgs;
        std::size_t maxArgs;
        int (CJ3DbTool::*handler)(const Args&);
    };

    // The command of the table named by args[0] that takes the number of
    // arguments after it; null, with the wrong call reported, otherwise.
    const SCommand* Choose(std::span<const SCommand> table, const Args& args, const std::string& caller);

    int Init(const Args& args);
    int List(const Args& args);
    int Put(const Args& args);
    int Get(const Args& args);
    int Remove(const Args& args);
    int Import(const Args& args);
    int Param(const Args& args);
    int ParamGet(const Args& args);
    int ParamSet(const Args& args);
    int ParamList(const Args& args);
    int Migrate(const Args& args);

    // readOnly for commands that only read.
    bool OpenDatabase(bool readOnly);
    // Empty when a file may be stored at path, else why not: the store's own
    // path rules, and a place inside the folders the file dialog shows.
    static std::string NewFileFault(const CString& path);
    // A store path from the command line; false (reported) when 1252 cannot show it.
    bool StorePath(const std::string& argument, CString& path);
    // "%3d" of a parameter number 0..999; false (reported) otherwise.
    bool ParamNumber(const std::string& argument, CString& number);
    int Fail(const std::string& message);
    int FailDatabase();
    int WrongCall(const std::string& message);

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_progressBar;
    std::filesystem::path m_databaseFile;
    bool m_databaseGiven = false;
};
