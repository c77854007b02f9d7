#include "FileStoreFixture.h"

#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

void FileStoreFixture::SetUp()
{
    CreateDatabase();
}

void FileStoreFixture::TearDown()
{
    dbDatabase.Close();
}

void FileStoreFixture::StoreFile(const std::string& path, std::int64_t lastWriteTime, const std::string& content)
{
    CDBFileStore store(dbDatabase);
    ASSERT_TRUE(store.SaveFile(CString(path), CString(content), lastWriteTime)) << path;
}
