#include "vkgui/ErrorLog.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
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

// The stamp a line written at that moment starts with: "TT.MM.JJJJ HH:MM:SS ".
std::string StampOf(std::time_t moment)
{
    std::tm local{};
    localtime_r(&moment, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%d.%m.%Y %H:%M:%S ", &local);
    return stamp;
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
        bool stamped = false;
        for (std::time_t moment = before; moment <= after; ++moment)
            stamped = stamped || lines[i] == StampOf(moment) + texts[i];
        EXPECT_TRUE(stamped) << lines[i];
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
