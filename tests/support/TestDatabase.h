#pragma once
#include "support/TempDir.h"

#include <filesystem>

namespace j3test {

// True when this run keeps its practice databases on the test server:
// J3_TEST_PG_URL_FILE names the file that holds its URL (CTest sets it for
// the "pg." tests).
bool OnServer();

// The location of a new, empty practice database, to be made with
// CVKDatabase::Create: a file in folder, or on the test server a schema of
// its own, so that tests never see each other's records.
std::filesystem::path NewPracticeDatabase(const TempDir& folder);

} // namespace j3test
