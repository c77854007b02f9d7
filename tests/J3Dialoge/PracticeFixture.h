#pragma once
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

// The test's own temporary folder and the practice database of the test:
// every fixture of the module's tests makes its database here.
class PracticeFixture : public ::testing::Test {
protected:
    // The practice database of the test.
    const std::filesystem::path& File() const { return m_databaseFile; }
    // Creates the practice database, left open as the running program's database.
    void CreateDatabase();

    j3test::TempDir m_folder;

private:
    const std::filesystem::path m_databaseFile = m_folder.path() / "praxis.j3db";
};
