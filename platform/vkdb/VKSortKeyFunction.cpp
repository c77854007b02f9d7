#include "vkdb/VKSortKeyFunction.h"

#include "vkdb/VKField.h"

#include <sqlite3.h>

#include <cstdio>

namespace {

void SortKey(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(arguments[0]));
    const int length = sqlite3_value_bytes(arguments[0]);
    CString text(bytes ? bytes : "", bytes ? length : 0);
    text.Trim();
    const CString key = CVKField::MakeKY(text, CVKSortKeyFunction::MaxLength);
    sqlite3_result_blob(context, key.GetString(), key.GetLength(), SQLITE_TRANSIENT);
}

} // namespace

bool CVKSortKeyFunction::Register(sqlite3* connection)
{
    // Deterministic and innocuous: SQLite allows it in indexes and in the
    // schema's expressions.
    return sqlite3_create_function(connection, "j3key", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                   nullptr, SortKey, nullptr, nullptr) == SQLITE_OK;
}

std::string CVKSortKeyFunction::ServerDefinition()
{
    // Each byte folds on its own, to at least one byte: the key of a text is
    // the fold of its first MaxLength bytes, cut to MaxLength. The blanks
    // trimmed are those of CString::Trim.
    std::string folding;
    for (int byte = 0; byte < 256; ++byte) {
        const CString key = CVKField::MakeKY(CString(std::string(1, static_cast<char>(byte))), MaxLength);
        folding += byte == 0 ? "'\\x" : ",'\\x";
        for (const char c : key.str()) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(c));
            folding += hex;
        }
        folding += "'";
    }
    const std::string limit = std::to_string(MaxLength);
    return "CREATE OR REPLACE FUNCTION j3key(value bytea) RETURNS bytea LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE "
           "AS $j3key$ SELECT coalesce(substring(string_agg((ARRAY[" +
           folding +
           "]::bytea[])[get_byte(s, i) + 1], "
           "''::bytea ORDER BY i) FROM 1 FOR " +
           limit +
           "), ''::bytea) "
           "FROM (SELECT substring(btrim(value, '\\x20090a0b0c0d'::bytea) FROM 1 FOR " +
           limit +
           ") AS s) AS trimmed, "
           "generate_series(0, length(s) - 1) AS i $j3key$;";
}
