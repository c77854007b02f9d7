#pragma once

#include <string>

struct sqlite3;

// The SQL function j3key(text): the sort key of CVKField::MakeKY for the text
// without the blanks around it, as a BLOB of at most MaxLength bytes. The
// patient table keeps indexes on it, so that a search by a folded prefix of
// a name or a number reads an index range instead of every record. Every
// connection registers it before it touches the schema: an index on a
// function can only be used and kept up to date where the function exists.
class CVKSortKeyFunction {
public:
    static constexpr int MaxLength = 64;
    // False when SQLite refuses the registration.
    static bool Register(sqlite3* connection);
    // The same function for a PostgreSQL schema (CREATE OR REPLACE FUNCTION),
    // immutable so that indexes may use it: a table of each byte's folding,
    // taken from MakeKY, so both give the same bytes.
    static std::string ServerDefinition();
};
