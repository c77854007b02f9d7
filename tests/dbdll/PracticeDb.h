#pragma once
#include "support/TestDatabase.h"

#include "dbdll/JParPool.h"
#include "dbdll/PracticeDatabase.h"
#include "j3params/J3MachineConfig.h"
#include "vkdb/VKDatabase.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

// A parameter record set on the connection, set to a number and a key.
inline std::unique_ptr<CJParPool> ParPool(CVKDatabase& database, const char* nr, const CString& key)
{
    auto pool = std::make_unique<CJParPool>(&database, nullptr);
    pool->m_strNr = nr;
    pool->m_strKey = key;
    return pool;
}

// A new practice database (j3test::NewPracticeDatabase), opened as the
// running program's database (dbDatabase and dbDatabaseRO).
class PracticeDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dbDatabase.Create(Location())) << dbDatabase.GetLastError().GetString();
        CString error;
        ASSERT_TRUE(CPracticeDatabase::Open(Location(), error)) << error.GetString();
    }
    void TearDown() override
    {
        CPracticeDatabase::Close();
        unsetenv("J3_CONFIG");
        std::string ignored;
        CJ3MachineConfig::ReloadCurrent(ignored);
    }
    const std::filesystem::path& Location() const { return m_location; }

    // Makes the process configuration name the database and the identity,
    // as a workstation's configuration would.
    void Configure(const std::filesystem::path& database)
    {
        const std::string ini = m_folder.file("j3machine.ini");
        std::ofstream(ini) << "[database]\n" << (CVKDatabase::IsServerLocation(database) ? "url" : "file") << " = "
                           << database.string()
                           << "\n[paths]\ntemp = D:\\Tmp\n[identity]\nworkstation = 7\nuser = 22\nprogid = AB\n"
                              "instance = 3\npraxis = P1\nmandant = 1\ntask = 12345\n";
        setenv("J3_CONFIG", ini.c_str(), 1);
        std::string error;
        ASSERT_TRUE(CJ3MachineConfig::ReloadCurrent(error)) << error;
    }

    static void Store(const char* nr, const char* key, const CString& value)
    {
        const auto pool = ParPool(dbDatabase, nr, key);
        pool->m_strValue = value;
        ASSERT_TRUE(pool->Write("")) << dbDatabase.GetLastError().GetString();
    }

    // The stored parameter, read on the read-only connection; "<fehlt>" when none is.
    static CString StoredValue(const char* nr, const CString& key)
    {
        const auto pool = ParPool(dbDatabaseRO, nr, key);
        pool->SetForwardOnly(true);
        return pool->GetByK1(0) == CVKRSet::FOUND ? pool->m_strValue : CString("<fehlt>");
    }

    j3test::TempDir m_folder;
    std::filesystem::path m_location = j3test::NewPracticeDatabase(m_folder);
};
