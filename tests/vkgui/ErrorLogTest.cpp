#include "vkgui/ErrorLog.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
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
    const std::filesystem::path log = dir.path() / "dbdll.log";
    std::string expected;
    // The three lines are written again until they fall within one second.
    for (int attempt = 0; attempt < 3 && ReadAll(log) != expected; ++attempt) {
        std::ofstream(log) << "alte Zeile\n";
        const std::time_t before = std::time(nullptr);
        ErrorLog1(log, "SQL-Fehler: Tabelle PAT, Workstation: 7");
        ErrorLog1(log, "zweiter Fehler \xE4\xF6\xFC");
        ErrorLog1(log, nullptr);
        const std::string stamp = StampOf(before);
        expected = "alte Zeile\n" + stamp + "SQL-Fehler: Tabelle PAT, Workstation: 7\n" + stamp +
                   "zweiter Fehler \xE4\xF6\xFC\n" + stamp + "\n";
    }
    EXPECT_EQ(ReadAll(log), expected);
}

TEST(ErrorLogTest, UnwritableLogIsReportedWithoutThrowing)
{
    j3test::TempDir dir;
    std::ofstream(dir.path() / "datei") << "x";
    std::filesystem::create_directory(dir.path() / "ordner");
    // A folder, and a file below a regular file.
    for (const std::filesystem::path& log : {dir.path() / "ordner", dir.path() / "datei" / "dbdll.log"}) {
        testing::internal::CaptureStderr();
        ErrorLog1(log, "verloren");
        const std::string reported = testing::internal::GetCapturedStderr();
        EXPECT_NE(reported.find("ErrorLog1: cannot write to " + log.string()), std::string::npos) << reported;
    }
    EXPECT_EQ(ReadAll(dir.path() / "datei"), "x");
}

} // namespace
