#pragma once
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

// The test's own temporary folder and the practice database file in it.
class PracticeFixture : public ::testing::Test {
protected:
    std::filesystem::path DatabaseFile() const { return m_folder.path() / "praxis.j3db"; }
    // Creates the practice database, left open as the running program's database.
    void CreateDatabase();

    j3test::TempDir m_folder;
};
