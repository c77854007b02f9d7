#include "j3db/J3DbPut.h"

#include "j3db/J3DbFrame.h"
#include "j3db/J3DbStorePath.h"
#include "j3db/J3LocalFile.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

CJ3DbResult CJ3DbPut::Run(CJ3DbFrame& frame, const Args& args) const
{
    const std::filesystem::path local = args[0];
    CString path;
    if (CJ3DbResult given = CJ3DbStorePath::FromArgument(args[1], path); !given.IsDone())
        return given;
    // Into a store folder ("DIR\") under the local file's name, which the
    // store must be able to keep as well.
    if (CJ3DbStorePath::EndsWithSeparator(args[1]))
        if (CJ3DbResult named = CJ3DbStorePath::FromArgument(args[1] + local.filename().string(), path);
            !named.IsDone())
            return named;
    if (CJ3DbResult storable = CJ3DbStorePath::CheckNewFile(path); !storable.IsDone())
        return storable;
    std::string content;
    std::int64_t lastWriteTime = 0;
    std::string error;
    if (!CJ3LocalFile::Read(local, true, content, lastWriteTime, error))
        return CJ3DbResult::Failed(error);
    if (CJ3DbResult opened = frame.OpenDatabase(false); !opened.IsDone())
        return opened;
    CDBFileStore store(dbDatabase);
    return store.SaveFile(path, CString(content), lastWriteTime) ? CJ3DbResult::Done() : CJ3DbFrame::DatabaseFailure();
}
