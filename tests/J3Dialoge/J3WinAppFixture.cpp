#include "J3WinAppFixture.h"

#include "j3params/J3MachineConfig.h"
#include "support/GuiApplication.h"
#include "win32/LibraryLoader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

void J3WinAppFixture::SetUp()
{
    j3test::GuiApplication::Instance();
    m_pluginFolder = CLibraryLoader::PluginFolder();
    std::filesystem::create_directories(m_folder.path() / "drive_c" / "J3" / "Temp");
    std::filesystem::create_directories(m_folder.path() / "drive_c" / "J3" / "Log");
    std::filesystem::create_directories(m_folder.path() / "drive_c" / "J3" / "Hilfe");
    Configure({});
}

void J3WinAppFixture::TearDown()
{
    CLibraryLoader::SetPluginFolder(m_pluginFolder);
    unsetenv("J3_CONFIG");
    std::string ignored;
    CJ3MachineConfig::ReloadCurrent(ignored);
}

void J3WinAppFixture::Configure(const std::map<std::string, std::string>& parameters, const std::string& driveC)
{
    const auto file = m_folder.path() / "j3machine.ini";
    std::ofstream ini(file);
    ini << "[database]\n" << (j3test::OnServer() ? "url" : "file") << " = " << File().string() << "\n"
        << "[drives]\nC = " << (driveC.empty() ? (m_folder.path() / "drive_c").string() : driveC) << "\n"
        << "[parameters]\n";
    for (const auto& [name, value] : parameters)
        ini << name << " = " << value << "\n";
    ini.close();
    setenv("J3_CONFIG", file.c_str(), 1);
    std::string error;
    ASSERT_TRUE(CJ3MachineConfig::ReloadCurrent(error)) << error;
}

std::string J3WinAppFixture::HostPath(const std::string& windowsPath) const
{
    std::string relative = windowsPath.substr(3);
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    return (m_folder.path() / "drive_c" / relative).string();
}

void J3WinAppFixture::RemovePlugins()
{
    std::filesystem::create_directories(m_folder.path() / "no_plugins");
    CLibraryLoader::SetPluginFolder((m_folder.path() / "no_plugins").string());
}

