#pragma once
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

// The test's own temporary folder and the practice database of the test:
// every fixture of the module's tests makes its database here.
class PracticeFixture : public ::testing::Test {
protected:
    // The practice database: a file, or a schema on the test server.
    const std::filesystem::path& File() const { return m_database; }
    // Creates the practice database, left open as the running program's database.
    void CreateDatabase();

    j3test::TempDir m_folder;

private:
    const std::filesystem::path m_database = j3test::NewPracticeDatabase(m_folder);
};
