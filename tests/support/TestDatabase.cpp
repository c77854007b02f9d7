#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

namespace j3test {

namespace {

std::string ServerUrl()
{
    const char* file = std::getenv("J3_TEST_PG_URL_FILE");
    std::ifstream in(file ? file : "");
    std::string url;
    std::getline(in, url);
    return url;
}

} // namespace

bool OnServer()
{
    const char* file = std::getenv("J3_TEST_PG_URL_FILE");
    return file && *file;
}

std::filesystem::path NewPracticeDatabase(const TempDir& folder)
{
    if (!OnServer())
        return folder.path() / "praxis.j3db";
    const std::string url = ServerUrl();
    if (url.empty()) {
        ADD_FAILURE() << "J3_TEST_PG_URL_FILE names no file with the test server's URL (see pg_cluster_start)";
        return {};
    }
    static std::atomic<int> count{0};
    const std::string schema = "t" + std::to_string(getpid()) + "_" + std::to_string(++count) + "_" +
                               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    PGconn* connection = PQconnectdb(url.c_str());
    PGresult* result = PQexec(connection, ("CREATE SCHEMA " + schema).c_str());
    if (PQresultStatus(result) != PGRES_COMMAND_OK)
        ADD_FAILURE() << "CREATE SCHEMA on " << url << ": " << PQerrorMessage(connection);
    PQclear(result);
    PQfinish(connection);
    return url + (url.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema;
}

} // namespace j3test
