#include "vkdb/VKSchema.h"

#include "vkdb/DBFileStore.h"
#include "vkdb/VKConnection.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKSortKeyFunction.h"
#include "vkdb/VKTransaction.h"

#include <array>
#include <string>

namespace {

constexpr int StepCount = 5;
constexpr int NameOrderStep = 4;

constexpr const char* PatientKeyIndexes = "CREATE INDEX IF NOT EXISTS pat_namekey ON pat(j3key(name), j3key(vorname));"
                                          "CREATE INDEX IF NOT EXISTS pat_vornamekey ON pat(j3key(vorname));"
                                          "CREATE INDEX IF NOT EXISTS pat_nrkey ON pat(j3key(patnr));";

// Texts are stored as BLOBs: the 8-bit bytes the programs hold, compared
// byte-wise.
constexpr std::array<const char*, StepCount> FileSteps = {
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
    PatientKeyIndexes,
    // 4: which patient number went into which by a merge (CJPatMergeTrail).
    "CREATE TABLE IF NOT EXISTS patmerge(altnr BLOB NOT NULL PRIMARY KEY, neunr BLOB NOT NULL);"
    "CREATE INDEX IF NOT EXISTS patmerge_neu ON patmerge(neunr);",
    // 5: a directory lists in display order (subdirectories, then files, each
    // by name as spelt) straight from two indexes; the rows are filled in by
    // CDBFileStore::RecordNamesOfAllFiles.
    "ALTER TABLE files ADD COLUMN dirkey BLOB NOT NULL DEFAULT x'';"
    "ALTER TABLE files ADD COLUMN name BLOB NOT NULL DEFAULT x'';"
    "CREATE INDEX files_names ON files(dirkey, name, mtime, size, path);"
    "CREATE TABLE subdirs(parentkey BLOB NOT NULL, namekey BLOB NOT NULL, name BLOB NOT NULL, path BLOB NOT NULL,"
    "  PRIMARY KEY(parentkey, namekey));"
    "CREATE INDEX subdirs_names ON subdirs(parentkey, name, path);",
};

// The same tables on a server: bytea compares byte-wise like a BLOB, and
// every table has the rowid that record sets (CVKRSet) address records by.
constexpr std::array<const char*, StepCount> ServerSteps = {
    "CREATE TABLE parpool(rowid bigint GENERATED ALWAYS AS IDENTITY UNIQUE, nr bytea NOT NULL,"
    "  kuerzel bytea NOT NULL, wert bytea NOT NULL, PRIMARY KEY(nr, kuerzel));"
    "CREATE INDEX parpool_wert ON parpool(nr, wert, kuerzel);"
    "CREATE TABLE pat(rowid bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, patnr bytea NOT NULL UNIQUE,"
    "  name bytea NOT NULL, vorname bytea NOT NULL, gebdat bytea NOT NULL, indexmarker bytea NOT NULL,"
    "  emoji1 bytea NOT NULL, emoji2 bytea NOT NULL);"
    "CREATE TABLE BEH(rowid bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, patnr bytea NOT NULL,"
    "  datum bytea NOT NULL, leistung bytea NOT NULL, text bytea NOT NULL);"
    "CREATE INDEX beh_pat ON BEH(patnr, datum, leistung);"
    "CREATE TABLE protokoll(rowid bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, patnr bytea NOT NULL,"
    "  art bytea NOT NULL, status bytea NOT NULL, funktion bytea NOT NULL, text bytea NOT NULL,"
    "  zeit bigint NOT NULL DEFAULT (extract(epoch FROM now())::bigint));"
    "CREATE INDEX protokoll_pat ON protokoll(patnr);"
    "CREATE TABLE progpool(rowid bigint GENERATED ALWAYS AS IDENTITY UNIQUE, prognr bigint NOT NULL,"
    "  name bytea NOT NULL, benutzer bytea NOT NULL, permission bigint NOT NULL,"
    "  PRIMARY KEY(prognr, name, benutzer));",
    // One index on pathkey, unique and covering: the listing scans it alone.
    "CREATE TABLE files(id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, pathkey bytea NOT NULL,"
    "  path bytea NOT NULL, mtime bigint NOT NULL, size bigint NOT NULL, content bytea NOT NULL);"
    "CREATE UNIQUE INDEX files_listing ON files(pathkey) INCLUDE (mtime, size, path);",
    nullptr, // j3key and the patient indexes: built from CVKSortKeyFunction
    "CREATE TABLE IF NOT EXISTS patmerge(rowid bigint GENERATED ALWAYS AS IDENTITY UNIQUE,"
    "  altnr bytea NOT NULL PRIMARY KEY, neunr bytea NOT NULL);"
    "CREATE INDEX IF NOT EXISTS patmerge_neu ON patmerge(neunr);",
    "ALTER TABLE files ADD COLUMN dirkey bytea NOT NULL DEFAULT ''::bytea,"
    "  ADD COLUMN name bytea NOT NULL DEFAULT ''::bytea;"
    "CREATE INDEX files_names ON files(dirkey, name) INCLUDE (mtime, size, path);"
    "CREATE TABLE subdirs(parentkey bytea NOT NULL, namekey bytea NOT NULL, name bytea NOT NULL,"
    "  path bytea NOT NULL, PRIMARY KEY(parentkey, namekey));"
    "CREATE INDEX subdirs_names ON subdirs(parentkey, name) INCLUDE (path);",
};

// Workstations log in with roles of their own that are members of
// j3_arbeitsplatz: they read and write the records, but the schema stays
// its owner's, who alone creates and migrates it. Made after every
// migration, so that new tables are granted too.
constexpr const char* WorkstationGrants =
    "DO $$BEGIN CREATE ROLE j3_arbeitsplatz NOLOGIN;"
    " EXCEPTION WHEN duplicate_object OR unique_violation OR insufficient_privilege THEN NULL; END$$;"
    "DO $$BEGIN"
    " EXECUTE format('GRANT USAGE ON SCHEMA %I TO j3_arbeitsplatz', current_schema());"
    " EXECUTE format('GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA %I TO j3_arbeitsplatz',"
    "                current_schema());"
    " EXECUTE format('GRANT USAGE ON ALL SEQUENCES IN SCHEMA %I TO j3_arbeitsplatz', current_schema()); END$$";

std::string Step(CVKConnection::EDialect dialect, int step)
{
    if (dialect == CVKConnection::EDialect::SQLite)
        return FileSteps[static_cast<std::size_t>(step)];
    if (step == 2)
        return CVKSortKeyFunction::ServerDefinition() + PatientKeyIndexes;
    return ServerSteps[static_cast<std::size_t>(step)];
}

} // namespace

int CVKSchema::CurrentVersion()
{
    return StepCount;
}

const char* const* CVKSchema::Tables()
{
    static constexpr const char* tables[] = {"parpool", "pat",      "BEH",     "protokoll", "progpool",
                                             "files",   "patmerge", "subdirs", nullptr};
    return tables;
}

bool CVKSchema::MigrateTo(CVKDatabase& database, int targetVersion)
{
    if (targetVersion > CurrentVersion())
        return database.Fail("Unbekannte Schemaversion " + std::to_string(targetVersion));
    CVKTransaction transaction(database);
    if (!transaction.IsActive())
        return false;
    // Read inside the transaction: another workstation may have migrated
    // the database meanwhile.
    const int version = database.GetSchemaVersion();
    if (version > targetVersion)
        return database.Fail("Die Datenbank hat schon die neuere Schemaversion " + std::to_string(version));
    CVKConnection& connection = *database.Connection();
    for (int step = version; step < targetVersion; ++step)
        if (!database.ExecuteScript(Step(connection.Dialect(), step).c_str()) ||
            (step == NameOrderStep && !CDBFileStore(database).RecordNamesOfAllFiles()))
            return false;
    if (!connection.WriteStamp({ApplicationId, targetVersion, 0}))
        return database.FailOnConnection("Die Schemaversion kann nicht gespeichert werden");
    const bool granted =
        connection.Dialect() != CVKConnection::EDialect::PostgreSQL || database.ExecuteScript(WorkstationGrants);
    return granted && transaction.Commit();
}
