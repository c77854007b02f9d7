#include "j3db/J3DbRemove.h"

#include "j3db/J3DbFrame.h"
#include "j3db/J3DbStorePath.h"
#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

CJ3DbResult CJ3DbRemove::Run(CJ3DbFrame& frame, const Args& args) const
{
    CString path;
    if (CJ3DbResult opened = frame.OpenForStorePath(args[0], false, path); !opened.IsDone())
        return opened;
    CDBFileStore store(dbDatabase);
    std::vector<SDBFileEntry> below;
    if (!store.FileExists(path) &&
        !CJ3DbStorePath::Find(store, CJ3DbStorePath::WithoutTrailingSeparators(path) + "\\*", below, 1))
        return CJ3DbFrame::DatabaseFailure();
    if (!below.empty())
        return CJ3DbResult::Failed(args[0] + " ist ein Verzeichnis; rm löscht nur Dateien.");
    return store.RemoveFile(path) ? CJ3DbResult::Done() : CJ3DbFrame::DatabaseFailure();
}
