#include "support/TempDir.h"
#include "win32/HostFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Drive C: is a temporary folder.
class HostFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CHostPaths::Install([this](const std::string& windowsPath) -> std::string {
            if (windowsPath.size() < 3 || windowsPath.compare(0, 3, "C:\\") != 0)
                return {};
            std::string relative = windowsPath.substr(3);
            for (char& c : relative)
                if (c == '\\')
                    c = '/';
            return (m_drive.path() / relative).string();
        });
    }
    void TearDown() override { CHostPaths::Install(nullptr); }

    j3test::TempDir m_drive;
};

TEST_F(HostFilesTest, CreateDirectoryReportsEachOutcome)
{
    struct SCase {
        const char* path;
        BOOL result;
        DWORD error;
    };
    const SCase cases[] = {
        {"C:\\Neu", 1, ERROR_SUCCESS},
        {"C:\\Neu", 0, ERROR_ALREADY_EXISTS},
        {"C:\\Fehlt\\Neu", 0, ERROR_PATH_NOT_FOUND},
        {"D:\\Neu", 0, ERROR_PATH_NOT_FOUND},
    };
    for (const SCase& test : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(CreateDirectoryA(test.path, nullptr), test.result) << test.path;
        EXPECT_EQ(GetLastError(), test.error) << test.path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(m_drive.path() / "Neu"));
}

TEST_F(HostFilesTest, AttributesTellFilesFromFolders)
{
    std::filesystem::create_directory(m_drive.path() / "Ordner");
    std::ofstream(m_drive.path() / "Ordner" / "a.txt") << "x";
    EXPECT_EQ(GetFileAttributesA("C:\\Ordner"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("C:\\Ordner\\a.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA("C:\\Ordner\\b.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(PathFileExistsA("C:\\Ordner\\a.txt"));
    EXPECT_FALSE(PathFileExistsA("C:\\Ordner\\b.txt"));
}

TEST_F(HostFilesTest, WithoutMapperOnlyHostPathsAreUsable)
{
    CHostPaths::Install(nullptr);
    EXPECT_EQ(CHostPaths::ToHost("C:\\x"), "");
    EXPECT_EQ(CHostPaths::ToHost(m_drive.path().string()), m_drive.path().string());
    EXPECT_TRUE(PathFileExistsA(m_drive.path().c_str()));
}

} // namespace
