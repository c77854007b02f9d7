#include "FileStoreFixture.h"
#include "support/TestDatabase.h"

#include "vkdb/DBFileStore.h"
#include "vkdb/VKDatabase.h"

void FileStoreFixture::SetUp()
{
    ASSERT_TRUE(dbDatabase.Create(j3test::NewPracticeDatabase(m_folder))) << dbDatabase.GetLastError().GetString();
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
