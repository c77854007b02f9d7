#include "vkgui/ErrorLog.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr const char* s_stampFormat = "%d.%m.%Y %H:%M:%S";
constexpr std::size_t s_stampLength = 19;  // "TT.MM.JJJJ HH:MM:SS"

// The time of a line's stamp; -1 when the line does not start with a stamp in
// exactly that layout (two-digit fields, four-digit year, then a blank).
std::time_t StampTime(const std::string& line)
{
    if (line.size() <= s_stampLength || line[s_stampLength] != ' ')
        return -1;
    std::tm local{};
    std::istringstream stamp(line.substr(0, s_stampLength));
    stamp >> std::get_time(&local, s_stampFormat);
    if (stamp.fail())
        return -1;
    char reformatted[32];
    std::strftime(reformatted, sizeof reformatted, s_stampFormat, &local);
    if (line.compare(0, s_stampLength, reformatted) != 0)
        return -1;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(ErrorLogTest, EachCallAppendsOneDatedLineAndKeepsTheOldOnes)
{
    j3test::TempDir dir;
    const std::filesystem::path log = dir.path() / "logs" / "sub" / "dbdll.log";
    std::filesystem::create_directories(log.parent_path());
    std::ofstream(log) << "alte Zeile\n";
    const std::time_t before = std::time(nullptr);
    ErrorLog1(log, "SQL-Fehler: Tabelle PAT, Workstation: 7");
    ErrorLog1(log, "zweiter Fehler \xE4\xF6\xFC");
    ErrorLog1(log, nullptr);
    const std::time_t after = std::time(nullptr);

    std::vector<std::string> lines = ReadLines(log);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.front(), "alte Zeile");
    lines.erase(lines.begin());
    const std::string texts[] = {"SQL-Fehler: Tabelle PAT, Workstation: 7", "zweiter Fehler \xE4\xF6\xFC", ""};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const std::time_t stamp = StampTime(lines[i]);
        ASSERT_NE(stamp, -1) << "no stamp";
        EXPECT_EQ(lines[i].substr(s_stampLength + 1), texts[i]);
        EXPECT_GE(stamp, before);
        EXPECT_LE(stamp, after);
    }
}

TEST(ErrorLogTest, UnwritableLogIsReportedWithoutThrowing)
{
    j3test::TempDir dir;
    std::ofstream(dir.path() / "datei") << "x";
    std::filesystem::create_directory(dir.path() / "ordner");
    const std::filesystem::path unwritable[] = {
        dir.path() / "ordner",             // a folder, not a file
        dir.path() / "datei" / "dbdll.log",  // below a regular file
    };
    for (const std::filesystem::path& log : unwritable) {
        SCOPED_TRACE(log.string());
        testing::internal::CaptureStderr();
        ErrorLog1(log, "verloren");
        const std::string reported = testing::internal::GetCapturedStderr();
        EXPECT_NE(reported.find("ErrorLog1: cannot write to " + log.string()), std::string::npos) << reported;
    }
    EXPECT_EQ(ReadAll(dir.path() / "datei"), "x");
}

} // namespace
