#include "vkdb/VKPgRefusal.h"

#include "winpath/AnsiLiteral.h"

#include <libpq-fe.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// How far an attempt got, in the order libpq goes.
enum class EStep { Reaching, Securing, Answered };

EStep StepOf(ConnStatusType status)
{
    switch (status) {
    case CONNECTION_MADE:
    case CONNECTION_SSL_STARTUP:
    case CONNECTION_GSS_STARTUP:
        return EStep::Securing;
    case CONNECTION_STARTED:
    case CONNECTION_NEEDED:
    case CONNECTION_BAD:
        return EStep::Reaching;
    default:
        return EStep::Answered;
    }
}

struct SAttempt {
    EStep furthest = EStep::Reaching;
    // The effective sslmode of the settings.
    std::string sslMode;
    // The server's refusals, by SQLSTATE only.
    std::string refusals;

    void Note(PGconn* conn) { furthest = std::max(furthest, StepOf(PQstatus(conn))); }

    // Whether the server refused with this SQLSTATE (with the error
    // verbosity PQERRORS_SQLSTATE a refusal reads "FATAL:  28P01").
    bool RefusedWith(const char* state) const { return refusals.find(std::string(":  ") + state) != std::string::npos; }
};

// Connects with the settings of failed, step by step, and notes how far it gets.
SAttempt Retry(PGconn* failed)
{
    SAttempt attempt;
    const std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(PQconninfo(failed), &PQconninfoFree);
    std::vector<const char*> keywords;
    std::vector<const char*> values;
    for (const PQconninfoOption* option = options.get(); option && option->keyword; ++option) {
        if (!option->val)
            continue;
        keywords.push_back(option->keyword);
        values.push_back(option->val);
        if (std::strcmp(option->keyword, "sslmode") == 0)
            attempt.sslMode = option->val;
    }
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    const std::unique_ptr<PGconn, decltype(&PQfinish)> conn(PQconnectStartParams(keywords.data(), values.data(), 0),
                                                            &PQfinish);
    if (!conn)
        return attempt;
    PQsetErrorVerbosity(conn.get(), PQERRORS_SQLSTATE);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(CVKPgRefusal::RetrySeconds);
    PostgresPollingStatusType polling = PGRES_POLLING_WRITING;
    while (PQstatus(conn.get()) != CONNECTION_BAD && polling != PGRES_POLLING_OK) {
        attempt.Note(conn.get());
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd socket{PQsocket(conn.get()), static_cast<short>(polling == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
        if (left.count() <= 0 || (socket.fd >= 0 && ::poll(&socket, 1, static_cast<int>(left.count())) == 0))
            break;
        polling = PQconnectPoll(conn.get());
    }
    attempt.Note(conn.get());
    attempt.refusals = PQerrorMessage(conn.get());
    return attempt;
}

} // namespace

CString CVKPgRefusal::Explain(PGconn* failed, const std::string& server)
{
    const CString name = "Der Datenbankserver " + CString(server.c_str());
    const CString role(PQuser(failed) ? PQuser(failed) : "");
    CString text;
    if (PQconnectionNeedsPassword(failed)) {
        text = name + " verlangt für die Rolle "_ansi + role +
               " ein Passwort, es ist aber keines hinterlegt. "
               "Bitte das Passwort in die Passwortdatei eintragen (~/.pgpass oder die Datei in PGPASSFILE).";
    } else {
        const SAttempt attempt = Retry(failed);
        // 28P01: a wrong password. 28000: no pg_hba.conf line lets this
        // connection in.
        if (attempt.RefusedWith("28P01"))
            text = name + " hat die Anmeldung als " + role +
                   " abgelehnt: das Passwort ist falsch, oder die Rolle "
                   "gibt es dort nicht. Bitte Benutzernamen und Passwort (in der Passwortdatei) prüfen."_ansi;
        else if (attempt.RefusedWith("28000") && attempt.sslMode == "disable")
            text = name + " nimmt nur verschlüsselte Verbindungen an. Bitte in der Adresse sslmode=verify-full "_ansi
                          "und sslrootcert= (das Zertifikat der Zertifizierungsstelle) angeben.";
        else if (attempt.furthest == EStep::Reaching)
            text = name + " ist nicht erreichbar. Bitte prüfen, ob er läuft und ob Rechnername und Port "_ansi
                          "stimmen.";
        else if (attempt.furthest == EStep::Securing)
            text = name + " lässt sich nicht als der richtige bestätigen: sein Zertifikat passt nicht zum "_ansi
                          "Rechnernamen in der Adresse, oder das Zertifikat der Zertifizierungsstelle (sslrootcert) "
                          "fehlt oder ist ein anderes. Bitte Rechnernamen und sslrootcert prüfen."_ansi;
        else
            text = name + " lässt diese Verbindung nicht zu: die Datenbank fehlt, die Rolle darf sich dort "_ansi
                          "nicht anmelden, der Server ist überlastet, oder keiner der Server nimmt gerade "_ansi
                          "Änderungen an (ein Ersatzserver, der noch nicht umgeschaltet ist)."_ansi;
    }
    CString reason = CString(PQerrorMessage(failed)).Trim();
    // libpq indents its hints with a tab, which a terminal would show escaped.
    reason.Replace('\t', ' ');
    return reason.IsEmpty() ? text : text + "\nlibpq: " + reason;
}
