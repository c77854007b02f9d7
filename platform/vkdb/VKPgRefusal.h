#pragma once
#include "vkbasis/CString.h"

#include <string>

using PGconn = struct pg_conn;

// Why a PostgreSQL server could not be reached or would not open a session,
// as one German text that says what is wrong and what to do, with libpq's own
// reason as its second line. The kind of failure is read from what libpq
// knows of the attempt (whether a password was missing, how far a connection
// with the same settings gets, whether TLS was up, the SQLSTATE of the
// server's refusal), not from libpq's English wording. No text holds a
// password.
class CVKPgRefusal {
public:
    // How long the second attempt that tells how far the server lets a
    // connection get may take; a server that vanished costs this much more.
    static constexpr int RetrySeconds = 3;

    // failed: a connection whose attempt ended in CONNECTION_BAD; server: the
    // location as messages show it. Unless libpq already knows that a
    // password was missing, connects once more with the failed attempt's
    // settings (nothing weaker) to see how far the server lets it get and
    // which SQLSTATE it refuses with.
    static CString Explain(PGconn* failed, const std::string& server);
};
