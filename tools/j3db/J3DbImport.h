#pragma once
#include "j3db/J3DbCommand.h"
#include "vkbasis/CString.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// "import LOCALDIR STOREDIR": stores a local folder tree in one transaction,
// keeping the last write times. Regular files only: links, devices and pipes
// are passed over and named, empty folders cannot exist in the store.
class CJ3DbImport : public CJ3DbCommand {
public:
    CJ3DbResult Run(CJ3DbFrame& frame, const Args& args) const override;

private:
    // The regular files below localDir and what was passed over, relative and sorted.
    static CJ3DbResult Collect(const std::filesystem::path& localDir, std::vector<std::filesystem::path>& files,
                               std::vector<std::filesystem::path>& skipped);
    // The store path of every file; all of them or a failure naming each refused one.
    static CJ3DbResult StorePaths(const std::string& storeDirArgument, const std::vector<std::filesystem::path>& files,
                                  std::vector<CString>& paths);
    static CJ3DbResult Store(CJ3DbFrame& frame, const std::filesystem::path& localDir,
                             const std::vector<std::filesystem::path>& files, const std::vector<CString>& paths,
                             std::uint64_t& bytes);
};
