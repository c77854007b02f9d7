#pragma once
#include <filesystem>
#include <string>

// Who may read a practice database file: patient data are health data, so
// the file is readable and writable by its owner only, or by the practice
// group of the machine configuration ([database] group). SQLite gives the
// side files (-wal, -shm) the mode of the database file.
class CPracticeFileMode {
public:
    // Gives a new database file its mode (and group); empty when done, else
    // a German reason.
    static std::string Restrict(const std::filesystem::path& file);
    // A German warning with the command that mends it when other accounts of
    // the machine may read or write the file or its side files; else empty.
    static std::string OpenToOthers(const std::filesystem::path& file);
};
