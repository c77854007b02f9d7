#include "PracticeDb.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JProgPool.h"

#include <vector>

TEST_F(PracticeDb, PermissionOfTheUserElseOfThePractice)
{
    ASSERT_TRUE(CJProgPool::SetPermission(291, "eInfo", "12", CJProgPool::PERM_NONE));
    ASSERT_TRUE(CJProgPool::SetPermission(291, "eInfo", "12", CJProgPool::PERM_WRITE));  // replaces
    ASSERT_TRUE(CJProgPool::SetPermission(291, "eInfo", "", CJProgPool::PERM_READ));
    ASSERT_TRUE(CJProgPool::SetPermission(278, "Karteireiter Konfiguration", "13", 0));
    struct Case {
        const char* user;
        int progNr;
        const char* name;
        bool practiceDefault;
        int expected;
    };
    const std::vector<Case> cases = {
        {"12", 291, "eInfo", true, CJProgPool::PERM_WRITE},
        {"12", 291, "eInfo", false, CJProgPool::PERM_WRITE},
        {"13", 291, "eInfo", true, CJProgPool::PERM_READ},
        {"13", 291, "eInfo", false, CJProgPool::PERM_NONE},
        {"12", 291, "einfo", true, CJProgPool::PERM_NONE},
        {"12", 292, "eInfo", true, CJProgPool::PERM_NONE},
        {"13", 278, "Karteireiter Konfiguration", true, 0},
        {"12", 278, "Karteireiter Konfiguration", true, CJProgPool::PERM_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " " + std::to_string(c.progNr) + " " + c.name);
        dbPId = c.user;
        EXPECT_EQ(CJProgPool::GetPermission(c.progNr, c.name, c.practiceDefault), c.expected);
    }
    dbPId.Empty();
}
