#include "vkdb/VKTransaction.h"

#include "vkdb/VKDatabase.h"

#include <sqlite3.h>

CVKTransaction::CVKTransaction(CVKDatabase& database) : m_database(database)
{
    if (!database.IsOpen()) {
        database.Fail("Keine Datenbank ge\xF6" "ffnet");
        return;
    }
    m_nested = sqlite3_get_autocommit(database.Handle()) == 0;
    m_active = database.ExecuteScript(m_nested ? "SAVEPOINT vk_nested" : "BEGIN IMMEDIATE");
}

CVKTransaction::~CVKTransaction()
{
    Rollback();
}

bool CVKTransaction::Commit()
{
    if (!m_active)
        return false;
    if (!m_database.ExecuteScript(m_nested ? "RELEASE vk_nested" : "COMMIT")) {
        Rollback();
        return false;
    }
    m_active = false;
    return true;
}

void CVKTransaction::Rollback()
{
    if (!m_active)
        return;
    m_active = false;
    // The failure text that led here stays the connection's last error.
    const CString reason = m_database.GetLastError();
    if (m_nested)
        m_database.ExecuteScript("ROLLBACK TO vk_nested; RELEASE vk_nested");
    else if (sqlite3_get_autocommit(m_database.Handle()) == 0)
        m_database.ExecuteScript("ROLLBACK");
    m_database.Fail(reason);
}
