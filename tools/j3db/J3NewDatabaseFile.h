#pragma once
#include "j3db/J3DbResult.h"

#include <filesystem>

// A new database file, built in a folder of its own beside its place and
// named only when complete, so that an interrupted or killed command leaves
// no part of it. The folder is removed however the command ends; folders
// that killed commands left for the same file go on the next Prepare.
class CJ3NewDatabaseFile {
public:
    explicit CJ3NewDatabaseFile(std::filesystem::path file) : m_file(std::move(file)) {}
    ~CJ3NewDatabaseFile();
    CJ3NewDatabaseFile(const CJ3NewDatabaseFile&) = delete;
    CJ3NewDatabaseFile& operator=(const CJ3NewDatabaseFile&) = delete;

    // Makes the folder to build in; fails when the file exists already.
    CJ3DbResult Prepare();
    // Where the database is built, after Prepare.
    std::filesystem::path Building() const { return m_scratch / m_file.filename(); }
    // Gives the finished database its mode and name, never over a file that
    // appeared meanwhile. The mode is set while the file still lies in the
    // scratch folder, which only its owner can enter.
    CJ3DbResult Publish() const;

private:
    // The start of the scratch folders' names; the owner's process id follows.
    std::string ScratchPrefix() const;
    // Removes the scratch folders whose owner no longer runs.
    void RemoveStaleScratch() const;

    std::filesystem::path m_file;
    std::filesystem::path m_scratch;
};
