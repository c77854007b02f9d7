#include "vkdb/DBFileFunctions.h"

#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

bool FileExistsDB(const CString& path)
{
    return CDBFileStore(dbDatabase).FileExists(path);
}

int DeleteFileDB(const CString& path)
{
    return CDBFileStore(dbDatabase).RemoveFile(path) ? 1 : 0;
}

bool SaveTextFileDB(const CString& path, const CString& text)
{
    return CDBFileStore(dbDatabase).SaveFile(path, text);
}

bool LoadTextFileDB(const CString& path, CString& text)
{
    return CDBFileStore(dbDatabase).LoadFile(path, text);
}
