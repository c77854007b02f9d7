#include "dbdll/PracticeDatabase.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/PracticeFileMode.h"
#include "j3params/J3HostText.h"
#include "j3params/J3MachineConfig.h"
#include "vkbasis/CVKSysBase.h"
#include "vkbasis/TerminalText.h"
#include "vkdb/VKDatabase.h"

#include <filesystem>
#include <iostream>
#include <set>

bool CPracticeDatabase::Open(CString& error)
{
    const auto config = CJ3MachineConfig::Current();
    CDBIdentity::Apply(config->Identity());
    if (Open(config->DatabaseFile(), error))
        return true;
    if (CVKDatabase::IsServerLocation(config->DatabaseFile()))
        error +=
            CJ3HostText::FromHost(" Der Server ist " + config->DatabaseOrigin() + "; --db URL wählt einen anderen.");
    else if (!std::filesystem::exists(config->DatabaseFile()))
        error +=
            CJ3HostText::FromHost(" Die Datei ist " + config->DatabaseOrigin() + "; --db DATEI öffnet eine andere.");
    return false;
}

bool CPracticeDatabase::Open(const std::filesystem::path& hostFile, CString& error)
{
    // The read-write connection first: it migrates an older file, which the
    // read-only one could not.
    const bool opened = dbDatabase.Open(hostFile, CVKDatabase::EOpenMode::ReadWrite) &&
                        dbDatabaseRO.Open(hostFile, CVKDatabase::EOpenMode::ReadOnly);
    if (!opened) {
        error = dbDatabase.IsOpen() ? dbDatabaseRO.GetLastError() : dbDatabase.GetLastError();
        Close();
        return false;
    }
    if (!CVKDatabase::IsServerLocation(hostFile))
        WarnWhenOpenToOthers(hostFile);
    return true;
}

bool CPracticeDatabase::OpenForProgram(const std::string& commandLineFile, CString& error)
{
    if (commandLineFile.empty())
        return Open(error);
    CDBIdentity::Apply(CJ3MachineConfig::Current()->Identity());
    const std::filesystem::path location(commandLineFile);
    return Open(CVKDatabase::IsServerLocation(location) ? location : std::filesystem::absolute(location), error);
}

void CPracticeDatabase::WarnWhenOpenToOthers(const std::filesystem::path& hostFile)
{
    static std::set<std::filesystem::path> s_warned;
    const std::string warning = CPracticeFileMode::OpenToOthers(hostFile);
    if (warning.empty() || !s_warned.insert(hostFile).second)
        return;
    std::cerr << CTerminalText::Message(warning) << "\n";
    if (gp_VKSysBase)
        gp_VKSysBase->DoDBError(CJ3HostText::FromHost(warning));
}

void CPracticeDatabase::Close()
{
    dbDatabaseRO.Close();
    dbDatabase.Close();
}
