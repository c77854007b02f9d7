#include "vkdb/VKSchema.h"

#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"
#include "vkdb/VKTransaction.h"

#include <array>
#include <string>

namespace {

// Texts are stored as BLOBs: the 8-bit bytes the programs hold, compared
// byte-wise.
constexpr std::array<const char*, 3> Steps = {
    // 1: records
    "CREATE TABLE parpool(nr BLOB NOT NULL, kuerzel BLOB NOT NULL, wert BLOB NOT NULL,"
    "  PRIMARY KEY(nr, kuerzel));"
    "CREATE INDEX parpool_wert ON parpool(nr, wert, kuerzel);"
    "CREATE TABLE pat(patnr BLOB NOT NULL UNIQUE, name BLOB NOT NULL, vorname BLOB NOT NULL,"
    "  gebdat BLOB NOT NULL, indexmarker BLOB NOT NULL, emoji1 BLOB NOT NULL, emoji2 BLOB NOT NULL);"
    "CREATE TABLE BEH(patnr BLOB NOT NULL, datum BLOB NOT NULL, leistung BLOB NOT NULL, text BLOB NOT NULL);"
    "CREATE INDEX beh_pat ON BEH(patnr, datum, leistung);"
    "CREATE TABLE protokoll(patnr BLOB NOT NULL, art BLOB NOT NULL, status BLOB NOT NULL,"
    "  funktion BLOB NOT NULL, text BLOB NOT NULL,"
    "  zeit INTEGER NOT NULL DEFAULT (CAST(strftime('%s','now') AS INTEGER)));"
    "CREATE INDEX protokoll_pat ON protokoll(patnr);"
    "CREATE TABLE progpool(prognr INTEGER NOT NULL, name BLOB NOT NULL, benutzer BLOB NOT NULL,"
    "  permission INTEGER NOT NULL, PRIMARY KEY(prognr, name, benutzer));",
    // 2: the file store. pathkey is the path in upper case (CDBStorePath);
    // the listing reads only the covering index, never the content.
    "CREATE TABLE files(id INTEGER PRIMARY KEY, pathkey BLOB NOT NULL UNIQUE, path BLOB NOT NULL,"
    "  mtime INTEGER NOT NULL, size INTEGER NOT NULL, content BLOB NOT NULL);"
    "CREATE INDEX files_listing ON files(pathkey, mtime, size, path);",
    // 3: the patient search reads ranges of folded surnames, first names and
    // numbers (j3key, CVKSortKeyFunction).
    "CREATE INDEX IF NOT EXISTS pat_namekey ON pat(j3key(name), j3key(vorname));"
    "CREATE INDEX IF NOT EXISTS pat_vornamekey ON pat(j3key(vorname));"
    "CREATE INDEX IF NOT EXISTS pat_nrkey ON pat(j3key(patnr));",
};

} // namespace

int CVKSchema::CurrentVersion()
{
    return static_cast<int>(Steps.size());
}

bool CVKSchema::MigrateTo(CVKDatabase& database, int targetVersion)
{
    if (targetVersion > CurrentVersion())
        return database.Fail("Unbekannte Schemaversion " + std::to_string(targetVersion));
    CVKTransaction transaction(database);
    if (!transaction.IsActive())
        return false;
    // Read inside the transaction: another workstation may have migrated
    // the file meanwhile.
    const int version = database.GetSchemaVersion();
    if (version > targetVersion)
        return database.Fail("Die Datenbank hat schon die neuere Schemaversion " + std::to_string(version));
    for (int step = version; step < targetVersion; ++step)
        if (!database.ExecuteScript(Steps[static_cast<std::size_t>(step)]))
            return false;
    // PRAGMA takes no parameters; both values are numbers of this program.
    const std::string stamp = "PRAGMA application_id=" + std::to_string(ApplicationId) +
                              "; PRAGMA user_version=" + std::to_string(targetVersion) + ";";
    return database.ExecuteScript(stamp.c_str()) && transaction.Commit();
}
