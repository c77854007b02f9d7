#pragma once
#include "support/TempDir.h"
#include "vkdb/VKDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

// A new practice database in a temporary folder, open read-write in db.
class PracticeFile : public ::testing::Test {
protected:
    void SetUp() override;
    std::filesystem::path File() const { return m_folder.path() / "praxis.j3db"; }

    j3test::TempDir m_folder;
    CVKDatabase db;
};
