#pragma once
#include "vkbasis/CString.h"

#include <filesystem>

// Opens the running program's practice database: dbDatabase read-write and
// dbDatabaseRO read-only on the same file, and the identity globals from the
// machine configuration.
class CPracticeDatabase {
public:
    // The file and identity of the machine configuration. False with a text
    // that says why (missing file: how to create one).
    static bool Open(CString& error);
    static bool Open(const std::filesystem::path& hostFile, CString& error);
    static void Close();
};
