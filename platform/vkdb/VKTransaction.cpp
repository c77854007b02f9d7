#include "vkdb/VKTransaction.h"

#include "vkdb/VKConnection.h"
#include "vkdb/VKDatabase.h"
#include "winpath/AnsiLiteral.h"

CVKTransaction::CVKTransaction(CVKDatabase& database) : m_database(database)
{
    if (!database.IsOpen()) {
        database.Fail("Keine Datenbank geöffnet"_ansi);
        return;
    }
    m_nested = database.Connection()->InTransaction();
    m_active = m_nested ? database.ExecuteScript("SAVEPOINT vk_nested")
                        : database.Connection()->BeginWrite() ||
                              database.FailOnConnection("Die Änderung kann nicht beginnen"_ansi);
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
    else if (m_database.IsOpen() && m_database.Connection()->InTransaction())
        m_database.ExecuteScript("ROLLBACK");
    m_database.Fail(reason);
}
