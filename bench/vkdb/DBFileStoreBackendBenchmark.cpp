#include "support/TempDir.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

constexpr int Files = 100000;
const char* const Directory = "C:\\P\\Flat\\";

// A practice database holding one directory of 100,000 files, on a SQLite
// file or on a PostgreSQL server that the benchmark starts for itself
// (scripts/pg-cluster.sh) and stops when the program ends.
class Backend {
public:
    explicit Backend(bool server)
    {
        std::string location = (m_folder.path() / "bench.j3db").string();
        if (server) {
            // The server runs as an unprivileged user that must reach its folder.
            std::filesystem::permissions(m_folder.path(), std::filesystem::perms::others_exec,
                                         std::filesystem::perm_options::add);
            m_cluster = (m_folder.path() / "pg").string();
            location = RunScript("start");
            m_reason = "no server started (scripts/pg-cluster.sh)";
        }
        if (location.empty())
            return;
        m_reason.clear();
        if (!m_database.Create(location))
            return;
        CDBFileStore store(m_database);
        CVKTransaction bulk(m_database);
        char name[32];
        for (int i = 1; i <= Files; ++i) {
            std::snprintf(name, sizeof name, "brief%06d.txt", i);
            if (!store.SaveFile(CString(Directory) + name, "x", i))
                return;
        }
        m_ready = bulk.Commit();
    }
    ~Backend()
    {
        m_database.Close();
        if (!m_cluster.empty())
            RunScript("stop");
    }
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    // Null, with the reason given to the benchmark, when the set-up failed.
    CVKDatabase* Database(benchmark::State& state)
    {
        if (!m_ready)
            state.SkipWithError(
                ("set-up failed: " + (m_reason.empty() ? m_database.GetLastError().str() : m_reason)).c_str());
        return m_ready ? &m_database : nullptr;
    }

    // The processor time the server's process for this connection has
    // used so far, in milliseconds; 0 on the file. The benchmark's server
    // runs on this machine, so its process can be read here.
    double ServerCpuMilliseconds()
    {
        if (m_cluster.empty())
            return 0;
        if (m_serverProcess.empty()) {
            CVKQuery query(m_database, "SELECT pg_backend_pid()");
            m_serverProcess = query.Next() ? "/proc/" + std::to_string(query.ColumnInt64(0)) + "/stat" : "";
        }
        std::ifstream stat(m_serverProcess);
        std::string line;
        std::getline(stat, line);
        // Fields 14 and 15, user and system time in clock ticks, follow the
        // command name in parentheses and eleven more fields.
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        std::string skipped;
        for (int field = 3; field <= 13; ++field)
            fields >> skipped;
        double user = 0;
        double system = 0;
        fields >> user >> system;
        return (user + system) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    }

private:
    // The script's first output line (the server's URL on start).
    std::string RunScript(const char* action) const
    {
        const std::string command =
            std::string("'") + J3_SOURCE_DIR + "/scripts/pg-cluster.sh' " + action + " '" + m_cluster + "'";
        FILE* output = popen(command.c_str(), "r");
        char line[512] = {};
        const bool read = output && std::fgets(line, sizeof line, output);
        const bool ran = output && pclose(output) == 0;
        std::string text = read && ran ? line : "";
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        return text;
    }

    j3test::TempDir m_folder;
    std::string m_cluster;
    std::string m_reason;
    std::string m_serverProcess;
    CVKDatabase m_database;
    bool m_ready = false;
};

Backend& SQLite()
{
    static Backend backend(false);
    return backend;
}

Backend& PostgreSQL()
{
    static Backend backend(true);
    return backend;
}

// The store's listing as the file dialog walks it: every entry visited with
// its path, length and time.
void ListDirectory(benchmark::State& state, Backend& (*backend)())
{
    CVKDatabase* database = backend().Database(state);
    if (!database)
        return;
    CDBFileStore store(*database);
    std::size_t entries = 0;
    const double serverCpuBefore = backend().ServerCpuMilliseconds();
    for (auto _ : state) {
        entries = 0;
        std::uint64_t sum = 0;
        store.VisitInDisplayOrder(Directory, [&](const SDBFileEntryView& entry) {
            sum += entry.length + static_cast<std::uint64_t>(entry.lastWriteTime) + entry.path.size();
            ++entries;
            return true;
        });
        benchmark::DoNotOptimize(sum);
    }
    state.counters["entries"] = static_cast<double>(entries);
    // What the server itself spends on a listing, beside the client's time.
    state.counters["server_cpu_ms"] =
        (backend().ServerCpuMilliseconds() - serverCpuBefore) / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(ListDirectory, sqlite_100k_files, &SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListDirectory, postgresql_100k_files, &PostgreSQL)->Unit(benchmark::kMillisecond);
