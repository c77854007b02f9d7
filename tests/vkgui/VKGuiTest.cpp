#include "support/TempDir.h"
#include "vkgui/ErrorLog.h"
#include "vkgui/WndLayout.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <tuple>

namespace {

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
    std::time_t before = 0;
    // The three lines are written again until they fall within one second.
    do {
        std::ofstream(log) << "alte Zeile\n";
        before = std::time(nullptr);
        ErrorLog1(log, "SQL-Fehler: Tabelle PAT, Workstation: 7");
        ErrorLog1(log, "zweiter Fehler \xE4\xF6\xFC");
        ErrorLog1(log, nullptr);
    } while (std::time(nullptr) != before);
    const std::string stamp = StampOf(before);
    EXPECT_EQ(j3test::FileBytes(log), "alte Zeile\n" + stamp + "SQL-Fehler: Tabelle PAT, Workstation: 7\n" + stamp +
                                "zweiter Fehler \xE4\xF6\xFC\n" + stamp + "\n");
}

TEST(ErrorLogTest, OnlyARegularFileOfItsOwnIsWrittenAndAnythingElseIsReportedOnce)
{
    j3test::TempDir dir;
    const std::filesystem::path outside = dir.path() / "draussen";
    std::filesystem::create_directories(outside / "Log");
    std::ofstream(outside / "passwd") << "x";
    std::ofstream(dir.path() / "datei") << "x";
    std::filesystem::create_directory_symlink(outside / "Log", dir.path() / "Log");
    std::filesystem::create_hard_link(outside / "passwd", dir.path() / "hart.log");
    ASSERT_EQ(mkfifo((dir.path() / "pipe.log").c_str(), 0600), 0);
    // A folder, a file below a file, a linked folder, a hard link, a device
    // and a pipe without reader.
    for (const std::filesystem::path& log : {dir.path() / "draussen", dir.path() / "datei" / "dbdll.log",
                                             dir.path() / "Log" / "dbdll.log", dir.path() / "hart.log",
                                             std::filesystem::path("/dev/null"), dir.path() / "pipe.log"}) {
        SCOPED_TRACE(log);
        testing::internal::CaptureStderr();
        ErrorLog1(log, "verloren");
        ErrorLog1(log, "wieder verloren");
        const std::string reported = testing::internal::GetCapturedStderr();
        const std::string report = "ErrorLog1: cannot write to " + log.string();
        EXPECT_NE(reported.find(report), std::string::npos) << reported;
        EXPECT_EQ(reported.find(report, reported.find(report) + 1), std::string::npos) << reported;
    }
    EXPECT_EQ(j3test::FileBytes(dir.path() / "datei"), "x");
    EXPECT_EQ(j3test::FileBytes(outside / "passwd"), "x");
    EXPECT_FALSE(std::filesystem::exists(outside / "Log" / "dbdll.log"));
}

std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t> Edges(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

TEST(WndLayoutTest, WithoutScreenTheRectangleIsLeftAsItIs)
{
    ASSERT_EQ(QGuiApplication::instance(), nullptr);
    RECT rect{-100000, 5, -99000, 7};
    CWndLayout::ClipOrCenterRectToMonitor(&rect, MONITOR_CLIP);
    EXPECT_EQ(Edges(rect), std::tuple(-100000, 5, -99000, 7));
}

TEST(WndLayoutTest, RectangleIsKeptOnTheScreen)
{
    int argc = 1;
    char name[] = "vkgui_test";
    char* argv[] = {name, nullptr};
    const auto app = std::make_unique<QGuiApplication>(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->geometry();
    const QRect work = screen->availableGeometry();
    const std::int32_t x = area.x(), y = area.y(), w = area.width(), h = area.height();
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    const struct { const char* name; unsigned int flags; RECT given; RECT expected; } cases[] = {
        {"inside stays", MONITOR_CLIP, {x + 10, y + 20, x + 110, y + 220}, {x + 10, y + 20, x + 110, y + 220}},
        {"over the right edge moves left", MONITOR_CLIP, {x + w - 50, y + 10, x + w + 50, y + 110},
         {x + w - 100, y + 10, x + w, y + 110}},
        {"larger than the screen is clipped", MONITOR_CLIP, {x - 10, y - 10, x + w + 90, y + h + 40},
         {x, y, x + w, y + h}},
        {"far below right comes onto the screen", MONITOR_CLIP, {100000, 100000, 100200, 100100},
         {x + w - 200, y + h - 100, x + w, y + h}},
        {"centre flag centres", MONITOR_CENTER, {x, y, x + 200, y + 100},
         {x + (w - 200) / 2, y + (h - 100) / 2, x + (w - 200) / 2 + 200, y + (h - 100) / 2 + 100}},
        {"work area bounds", MONITOR_WORKAREA, {work.x() - 20, work.y() - 20, work.x() + 80, work.y() + 80},
         {work.x(), work.y(), work.x() + 100, work.y() + 100}},
        {"negative extent counts as empty", MONITOR_CLIP, {x + 50, y + 50, x + 10, y + 10},
         {x + 50, y + 50, x + 50, y + 50}},
        {"extreme edges", MONITOR_CLIP, {lowest, lowest, highest, highest}, {x, y, x + w, y + h}},
    };
    for (const auto& c : cases) {
        RECT rect = c.given;
        CWndLayout::ClipOrCenterRectToMonitor(&rect, c.flags);
        EXPECT_EQ(Edges(rect), Edges(c.expected)) << c.name;
    }
}

} // namespace
