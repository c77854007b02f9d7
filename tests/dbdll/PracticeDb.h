#pragma once
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

// A new practice database (j3test::NewPracticeDatabase), opened as the
// running program's database (dbDatabase and dbDatabaseRO).
class PracticeDb : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    const std::filesystem::path& Location() const { return m_location; }

    j3test::TempDir m_folder;
    std::filesystem::path m_location = j3test::NewPracticeDatabase(m_folder);
};
