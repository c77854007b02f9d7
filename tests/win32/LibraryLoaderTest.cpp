#include "support/TempDir.h"
#include "win32/LibraryLoader.h"
#include "win32/Win32Journal.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class LibraryLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { m_programFolder = CLibraryLoader::PluginFolder(); }
    void TearDown() override { CLibraryLoader::SetPluginFolder(m_programFolder); }

    std::string m_programFolder;
};

TEST_F(LibraryLoaderTest, WindowsNamesFindTheSharedObject)
{
    const std::string expected = (std::filesystem::path(m_programFolder) / "libj3up.so").string();
    for (const char* name : {"J3UP.DLL", "j3up", "C:\\Programme\\J3\\j3up.dll"})
        EXPECT_EQ(CLibraryLoader::SharedObjectPath(name), expected) << name;
    for (const char* name : {"", "j3up.ocx", "dll"})
        EXPECT_EQ(CLibraryLoader::SharedObjectPath(name), "") << name;
}

TEST_F(LibraryLoaderTest, LoadedLibraryGivesItsFunctionsAndStaysLoaded)
{
    const HMODULE module = LoadLibraryA("j3up.dll");
    ASSERT_NE(module, nullptr);
    using Calls = int (*)();
    const auto calls = reinterpret_cast<Calls>(GetProcAddress(module, "J3UpHotkeyCalls"));
    ASSERT_NE(calls, nullptr);
    EXPECT_EQ(GetProcAddress(module, "GibtEsNicht"), nullptr);
    EXPECT_EQ(GetModuleHandleA("j3up"), module);

    const std::size_t mark = CWin32Journal::Size();
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(CWin32Journal::EntriesSince(mark), std::vector<std::string>{"FreeLibrary j3up.dll"});
    // Still callable: a library is never unloaded.
    EXPECT_GE(calls(), 0);
}

TEST_F(LibraryLoaderTest, LibraryOutsideThePluginFolderIsNotFound)
{
    j3test::TempDir empty;
    CLibraryLoader::SetPluginFolder(empty.path().string());
    const std::size_t mark = CWin32Journal::Size();
    EXPECT_EQ(LoadLibraryA("j3up.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleA("j3up.dll"), nullptr);
    EXPECT_EQ(CWin32Journal::EntriesSince(mark), std::vector<std::string>{"LoadLibrary j3up.dll"});
}

TEST_F(LibraryLoaderTest, AddressFindsItsOwnModule)
{
    const HMODULE module = LoadLibraryA("j3up");
    ASSERT_NE(module, nullptr);
    const FARPROC function = GetProcAddress(module, "J3HotkeyFunc");
    EXPECT_EQ(ModuleHandleOfAddress(reinterpret_cast<const void*>(function)), module);
    EXPECT_EQ(ModuleHandleOfAddress(nullptr), nullptr);
}

} // namespace
