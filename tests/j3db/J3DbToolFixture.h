#pragma once
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Runs the admin tool in-process against a database in a temporary folder,
// with a machine configuration of its own (data root D:\Praxis\Daten\, QA
// root D:\Praxis\QA\), so that nothing of the user's configuration is used.
class J3DbToolFixture : public ::testing::Test {
protected:
    struct SResult {
        int exitCode;
        std::string out;
        std::string err;
    };

    J3DbToolFixture();
    ~J3DbToolFixture() override;

    // "j3db --db <database> args..."
    SResult Run(std::vector<std::string> args, bool progressBar = false);
    // "j3db args..." exactly as given (without --db unless among them).
    SResult RunPlain(const std::vector<std::string>& args, bool progressBar = false);
    // Runs and expects success; returns the output.
    std::string Ok(const std::vector<std::string>& args);

    void WriteLocal(const std::string& relative, const std::string& bytes);
    // The bytes of the database file, to show that a failure changed nothing.
    std::string DatabaseBytes() const { return j3test::FileBytes(m_database); }

    j3test::TempDir m_dir;
    std::string m_database;
    std::string m_configFile;
};
