#include "j3params/J3Params.h"

#include "j3params/J3HostText.h"
#include "j3params/J3MachineConfig.h"

namespace {

// The configuration holds UTF-8 (a Linux text file); the suite's texts are 1252.
CString ConfiguredDir(EJ3Dir dir)
{
    return CJ3HostText::FromHost(CJ3MachineConfig::Current()->Dir(dir));
}

} // namespace

CString GetJ3DataPath(int /*flag*/)
{
    return ConfiguredDir(EJ3Dir::Data);
}

CString GetJ3DataROPath(int /*flag*/)
{
    return ConfiguredDir(EJ3Dir::DataRO);
}

CString GetJ3QAPath()
{
    return ConfiguredDir(EJ3Dir::QA);
}

void GetJ3AppDataPath(CString& path)
{
    path = ConfiguredDir(EJ3Dir::AppData);
}

CString GetJ3TempPath()
{
    return ConfiguredDir(EJ3Dir::Temp);
}

CString GetJ3LogPath()
{
    return ConfiguredDir(EJ3Dir::Log);
}

extern "C" CString GetJ3HelpPath()
{
    return ConfiguredDir(EJ3Dir::Help);
}

bool GetJ3MachineParameter(const char* name, CString& value)
{
    if (!name)
        return false;
    const auto configured = CJ3MachineConfig::Current()->MachineParameter(CJ3HostText::ToHost(CString(name)));
    if (!configured)
        return false;
    value = CJ3HostText::FromHost(*configured);
    return true;
}

std::filesystem::path GetJ3HostPath(const CString& windowsPath, CString& error, std::filesystem::path* linkFree)
{
    std::string reason;
    std::filesystem::path host =
        CJ3MachineConfig::Current()->Drives().ToHostPath(CJ3HostText::ToHost(windowsPath), reason, linkFree);
    error = CJ3HostText::FromHost(reason);
    return host;
}
