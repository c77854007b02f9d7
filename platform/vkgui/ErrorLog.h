#pragma once
#include <filesystem>

// Appends one entry to the log file logFile (a host path; Windows paths are
// mapped by the caller): the local date and time as "TT.MM.JJJJ HH:MM:SS"
// ("%d.%m.%Y %H:%M:%S"), one blank, the text as given (8-bit bytes, written
// unchanged) and a line break. The file (owner only) and its missing folders
// are created. No symbolic link on the path is followed, and only a regular
// file with a single name is written: a link, hard link, pipe or device in the
// log's place loses the entry.
// Each entry is written with a single append under a process-wide lock, so
// entries of several threads never mix.
// Never throws: a failure to write loses the entry and is reported on stderr
// (once per file and process),
// because the log is where errors go and its own failure must not stop the
// caller. A null text logs an empty entry.
void ErrorLog1(const std::filesystem::path& logFile, const char* text) noexcept;
