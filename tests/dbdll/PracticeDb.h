#pragma once
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

// A new practice database in a temporary folder, opened as the running
// program's database (dbDatabase and dbDatabaseRO).
class PracticeDb : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::filesystem::path File() const { return m_folder.path() / "praxis.j3db"; }

    j3test::TempDir m_folder;
};
