#pragma once
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "PracticeFixture.h"

// A fresh practice database in a temporary folder, opened as the running
// program's database, with the allowed roots the tests use.
class FileStoreFixture : public PracticeFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Stores a file with the given last write time (seconds since 1970 UTC).
    void StoreFile(const std::string& path, std::int64_t lastWriteTime = 1000, const std::string& content = "x");
};
