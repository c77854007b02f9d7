#include "support/TempDir.h"
#include "win32/Accelerators.h"
#include "win32/HostFiles.h"
#include "win32/LibraryLoader.h"
#include "win32/Win32Journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

TEST(Win32Test, AcceleratorEntriesBecomeKeySequences)
{
    const struct { ACCEL entry; const char* expected; } cases[] = {
        {{FVIRTKEY | FCONTROL | FSHIFT, 'D', 1}, "Ctrl+Shift+D"}, {{FVIRTKEY | FALT, 'Q', 1}, "Alt+Q"},
        {{FVIRTKEY, VK_F1, 1}, "F1"}, {{FVIRTKEY | FSHIFT, VK_F1 + 10, 1}, "Shift+F11"},
        {{FVIRTKEY | FCONTROL, VK_NEXT, 1}, "Ctrl+PgDown"},
        {{FVIRTKEY, 0x2E /* Delete: not bound here */, 1}, ""},
        {{FCONTROL, 'A', 1}, ""},  // a character entry, not a virtual key
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceleratorKeySequence(c.entry), QKeySequence(c.expected)) << c.expected;
}

TEST(Win32Test, AcceleratorTablesAreFoundByModuleAndNumber)
{
    const auto module = reinterpret_cast<HMODULE>(&AcceleratorKeySequence);
    CAcceleratorResources::Register(module, 500, {{FVIRTKEY, VK_F1, 7}, {FVIRTKEY, VK_ESCAPE, 8}});
    const HACCEL table = LoadAcceleratorsA(module, MakeIntResourceA(500));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsA(module, MakeIntResourceA(501)), nullptr);
    ACCEL copied[3] = {};
    EXPECT_EQ(CopyAcceleratorTableA(table, copied, 1), 1);
    EXPECT_EQ(copied[1].cmd, 0);
    EXPECT_EQ(CopyAcceleratorTableA(table, copied, 3), 2);
    EXPECT_EQ(copied[1].cmd, 8);
}

TEST(Win32Test, HostFilesAreReachedThroughTheInstalledMapper)
{
    // Drive C: is a temporary folder.
    j3test::TempDir drive;
    CHostPaths::Install([&drive](const std::string& windowsPath) -> std::string {
        if (windowsPath.rfind("C:\\", 0) != 0)
            return {};
        std::string relative = windowsPath.substr(3);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        return (drive.path() / relative).string();
    });
    const struct { const char* path; BOOL result; DWORD error; } created[] = {
        {"C:\\Neu", 1, ERROR_SUCCESS}, {"C:\\Neu", 0, ERROR_ALREADY_EXISTS},
        {"C:\\Fehlt\\Neu", 0, ERROR_PATH_NOT_FOUND}, {"D:\\Neu", 0, ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : created) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(CreateDirectoryA(c.path, nullptr), c.result) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    std::ofstream(drive.path() / "Neu" / "a.txt") << "x";
    EXPECT_EQ(GetFileAttributesA("C:\\Neu"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("C:\\Neu\\a.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA("C:\\Neu\\b.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(PathFileExistsA("C:\\Neu\\a.txt"));
    EXPECT_FALSE(PathFileExistsA("C:\\Neu\\b.txt"));

    // Without a mapper only host paths are usable.
    CHostPaths::Install(nullptr);
    EXPECT_EQ(CHostPaths::ToHost("C:\\x"), "");
    EXPECT_EQ(CHostPaths::ToHost(drive.path().string()), drive.path().string());
    EXPECT_TRUE(PathFileExistsA(drive.path().c_str()));
}

TEST(Win32Test, LibrariesAreFoundByWindowsNamesInThePluginFolderAndStayLoaded)
{
    const std::string programFolder = CLibraryLoader::PluginFolder();
    const std::string expected = (std::filesystem::path(programFolder) / "libj3up.so").string();
    for (const char* name : {"J3UP.DLL", "j3up", "C:\\Programme\\J3\\j3up.dll"})
        EXPECT_EQ(CLibraryLoader::SharedObjectPath(name), expected) << name;
    for (const char* name : {"", "j3up.ocx", "dll"})
        EXPECT_EQ(CLibraryLoader::SharedObjectPath(name), "") << name;

    const HMODULE module = LoadLibraryA("j3up.dll");
    ASSERT_NE(module, nullptr);
    using Calls = int (*)();
    const auto calls = reinterpret_cast<Calls>(GetProcAddress(module, "J3UpHotkeyCalls"));
    ASSERT_NE(calls, nullptr);
    EXPECT_EQ(GetProcAddress(module, "GibtEsNicht"), nullptr);
    EXPECT_EQ(GetModuleHandleA("j3up"), module);
    const FARPROC function = GetProcAddress(module, "J3HotkeyFunc");
    EXPECT_EQ(ModuleHandleOfAddress(reinterpret_cast<const void*>(function)), module);
    EXPECT_EQ(ModuleHandleOfAddress(nullptr), nullptr);

    std::size_t mark = CWin32Journal::Size();
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(CWin32Journal::EntriesSince(mark), std::vector<std::string>{"FreeLibrary j3up.dll"});
    // Still callable: a library is never unloaded.
    EXPECT_GE(calls(), 0);

    // Outside the plugin folder nothing is found.
    j3test::TempDir empty;
    CLibraryLoader::SetPluginFolder(empty.path().string());
    mark = CWin32Journal::Size();
    EXPECT_EQ(LoadLibraryA("j3up.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleA("j3up.dll"), nullptr);
    EXPECT_EQ(CWin32Journal::EntriesSince(mark), std::vector<std::string>{"LoadLibrary j3up.dll"});
    CLibraryLoader::SetPluginFolder(programFolder);
}

} // namespace
