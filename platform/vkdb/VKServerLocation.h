#pragma once
#include <string>
#include <string_view>

// Where a practice database on a PostgreSQL server is, in either of libpq's
// forms: a URL ("postgresql://user@host:port/name?...") or keywords
// ("host=... port=... dbname=..."). The text is read as libpq reads it, so
// a percent-encoded key means what libpq takes it for.
class CVKServerLocation {
public:
    // True for a text that names a server rather than a file: a postgresql://
    // URL (also one that libpq cannot read, which then fails as a server), or
    // keywords that libpq reads.
    static bool IsServerLocation(std::string_view location);
    // The location in keyword form without its passwords, for messages and
    // logs; a placeholder when libpq cannot read it.
    static std::string Displayable(std::string_view location);
    // False when libpq cannot read the text.
    static bool IsReadable(std::string_view location);
    // True when the text itself holds a password.
    static bool HoldsPassword(std::string_view location);
};
