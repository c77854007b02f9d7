#include "vkdb/VKSortKeyFunction.h"

#include "vkdb/VKField.h"

#include <sqlite3.h>

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
