#pragma once
#include "support/TestDatabase.h"
#include "vkdb/VKDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

// A new practice database (j3test::NewPracticeDatabase), open read-write in db.
class PracticeFile : public ::testing::Test {
protected:
    void SetUp() override;
    const std::filesystem::path& Location() const { return m_location; }

    j3test::TempDir m_folder;
    std::filesystem::path m_location = j3test::NewPracticeDatabase(m_folder);
    CVKDatabase db;
};
