#pragma once
#include "vkbasis/CString.h"

#include <filesystem>
#include <string>

// Opens the running program's practice database: dbDatabase read-write and
// dbDatabaseRO read-only on the same file, and the identity globals from the
// machine configuration.
class CPracticeDatabase {
public:
    // The database (a file or a server URL) and identity of the machine
    // configuration. False with a text that says why and which setting chose
    // the database (missing file: how to create one).
    static bool Open(CString& error);
    static bool Open(const std::filesystem::path& hostFile, CString& error);
    // A program's database: the file (relative to the working folder) or
    // server URL named on its command line, else the configured one; the identity of the
    // machine configuration either way, since notes and placements are kept
    // per workstation and user.
    static bool OpenForProgram(const std::string& commandLineFile, CString& error);
    static void Close();

private:
    // Once per file and process, on stderr and in the database error log.
    static void WarnWhenOpenToOthers(const std::filesystem::path& hostFile);
};
