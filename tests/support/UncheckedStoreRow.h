#pragma once
#include "vkdb/DBStorePath.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"

#include <string>

namespace j3test {

// Writes a file of the store past the store's path rules, as databases
// written before those rules may hold it. False when the row was refused.
// Header only: the support library itself stays free of the database layer.
inline bool StoreUnchecked(CVKDatabase& db, const std::string& path)
{
    CVKQuery query(db, "INSERT INTO files(pathkey, path, mtime, size, content) VALUES(?1, ?2, 1000, 1, 'x')");
    return query.Bind(1, CDBStorePath::Key(path)).Bind(2, path).Run();
}

} // namespace j3test
