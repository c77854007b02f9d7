#pragma once

class CVKDatabase;

// The tables of the practice database and their history.
//
// A file carries SQLite's application_id (ApplicationId marks a practice
// database) and its user_version (the schema version); a server schema keeps
// both in the table j3schema. Each version adds one step, written for each
// backend; opening a database of an older version runs the missing steps in
// one transaction, so a failed migration leaves it as it was. On a server the
// role j3_arbeitsplatz (made when missing and allowed) gets the right to
// read and write every table, not to change the schema.
//   1: parameter pool, patients, treatments ("BEH"), protocol, program permissions
//   2: the database file store
//   3: the patient search's indexes of folded names and numbers
//   4: the merge trail: which patient number went into which
//   5: the file store's names and subdirectories in display order
class CVKSchema {
public:
    static constexpr int ApplicationId = 0x4A334442; // "J3DB"
    static int CurrentVersion();
    // The tables of the current version, null-terminated.
    static const char* const* Tables();

    // Brings a practice database of an older version (or a new, empty file,
    // version 0) up to targetVersion inside one transaction; stamps the
    // application id. Versions above the current one are refused.
    static bool MigrateTo(CVKDatabase& database, int targetVersion);
};
