#pragma once
#include "support/TestDatabase.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

// A new practice database (j3test::NewPracticeDatabase), open read-write in
// db, and its file store.
class PracticeFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(db.Create(Location())) << db.GetLastError().GetString(); }
    const std::filesystem::path& Location() const { return m_location; }

    // The names a pattern lists, directories with a trailing "\"; an entry
    // listed twice fails the test.
    std::set<std::string> Names(const CString& pattern)
    {
        std::set<std::string> names;
        for (const SDBFileEntry& entry : store.Find(pattern)) {
            const std::string& path = entry.path.str();
            const std::string name = path.substr(path.rfind('\\') + 1) + (entry.isDirectory ? "\\" : "");
            EXPECT_TRUE(names.insert(name).second) << path << " listed twice";
        }
        return names;
    }

    // The entries of a directory in display order, directories with a
    // trailing "\"; with wholePaths their directories as spelt too.
    std::vector<std::string> DisplayNames(const CString& dir, bool wholePaths = false)
    {
        std::vector<std::string> names;
        EXPECT_TRUE(store.VisitInDisplayOrder(dir, [&](const SDBFileEntryView& entry) {
            const std::string_view shown = wholePaths ? entry.path : entry.path.substr(entry.path.rfind('\\') + 1);
            names.push_back(std::string(shown) + (entry.isDirectory ? "\\" : ""));
            return true;
        }));
        return names;
    }

    j3test::TempDir m_folder;
    std::filesystem::path m_location = j3test::NewPracticeDatabase(m_folder);
    CVKDatabase db;
    CDBFileStore store{db};
};
