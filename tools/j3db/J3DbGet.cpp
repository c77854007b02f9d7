#include "j3db/J3DbGet.h"

#include "j3db/J3DbFrame.h"
#include "j3db/J3DbStorePath.h"
#include "j3db/J3LocalFile.h"
#include "j3params/J3HostText.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

#include <filesystem>

CJ3DbResult CJ3DbGet::Run(CJ3DbFrame& frame, const Args& args) const
{
    CString path;
    if (CJ3DbResult opened = frame.OpenForStorePath(args[0], true, path); !opened.IsDone())
        return opened;
    CDBFileStore store(dbDatabase);
    CString content;
    if (!store.LoadFile(path, content))
        return CJ3DbFrame::DatabaseFailure();
    if (args.size() == 1 || args[1] == "-") {
        // The tool reports output that could not be written.
        frame.Out().write(content.GetString(), content.GetLength());
        return CJ3DbResult::Done();
    }
    std::filesystem::path target = args[1];
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        target /= CJ3HostText::ToHost(CJ3DbStorePath::Name(path));
    std::string error;
    return CJ3LocalFile::Write(target, content.str(), error) ? CJ3DbResult::Done() : CJ3DbResult::Failed(error);
}
