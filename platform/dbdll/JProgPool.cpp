#include "dbdll/JProgPool.h"

#include "dbdll/DBIdentity.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"

int CJProgPool::GetPermission(int progNr, const CString& name, bool practiceDefault)
{
    CVKDatabase& database = dbDatabaseRO.IsOpen() ? dbDatabaseRO : dbDatabase;
    // The user's own row sorts before the practice-wide one (empty user).
    CVKQuery query(database, "SELECT permission FROM progpool WHERE prognr = ?1 AND name = ?2 "
                             "AND (benutzer = ?3 OR (?4 <> 0 AND benutzer = ?5)) ORDER BY benutzer DESC LIMIT 1");
    query.Bind(1, static_cast<std::int64_t>(progNr)).Bind(2, name).Bind(3, dbPId);
    query.Bind(4, static_cast<std::int64_t>(practiceDefault ? 1 : 0)).Bind(5, std::string_view());
    return query.Next() ? static_cast<int>(query.ColumnInt64(0)) : PERM_NONE;
}

bool CJProgPool::SetPermission(int progNr, const CString& name, const CString& user, int permission)
{
    CVKQuery query(dbDatabase, "INSERT INTO progpool(prognr, name, benutzer, permission) VALUES(?1, ?2, ?3, ?4) "
                               "ON CONFLICT(prognr, name, benutzer) DO UPDATE SET permission = excluded.permission");
    query.Bind(1, static_cast<std::int64_t>(progNr)).Bind(2, name).Bind(3, user);
    query.Bind(4, static_cast<std::int64_t>(permission));
    return query.Run();
}
