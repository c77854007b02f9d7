#include "J3WinAppFixture.h"

#include "J3Dialoge/J3WinApp.h"
#include "vkdb/VKDatabase.h"
#include "vkdb/VKQuery.h"

#include <gmock/gmock.h>

#include <QWidget>

namespace {

using ServerReconnectTest = J3WinAppFixture;

// When the server dropped the program's sessions, the action after the failed
// one reconnects, and the person at the window is told once, however many of
// the program's connections come back.
TEST_F(ServerReconnectTest, AConnectionBackFromTheServerIsToldOnceInABox)
{
    if (!j3test::OnServer())
        GTEST_SKIP() << "sessions on a server";
    CreateDatabase();
    ASSERT_TRUE(dbDatabaseRO.Open(File(), CVKDatabase::EOpenMode::ReadOnly));
    CJ3WinApp program;
    ASSERT_EQ(program.InitInstance(), 1);
    QWidget window;
    window.show();
    CVKDatabase admin;
    ASSERT_TRUE(admin.Open(File()));
    for (CVKDatabase* session : {&dbDatabase, &dbDatabaseRO}) {
        CVKQuery backend(*session, "SELECT pg_backend_pid()");
        ASSERT_TRUE(backend.Next());
        const std::string end = "SELECT pg_terminate_backend(" + std::to_string(backend.ColumnInt64(0)) + ", 5000)";
        ASSERT_TRUE(admin.ExecuteScript(end.c_str()));
    }
    for (CVKDatabase* session : {&dbDatabase, &dbDatabaseRO}) {
        EXPECT_FALSE(CVKQuery(*session, "SELECT 1").Next());
        EXPECT_TRUE(CVKQuery(*session, "SELECT 1").Next()) << session->GetLastError().GetString();
    }
    program.ExitInstance();
    dbDatabaseRO.Close();
    EXPECT_THAT(Boxes(), ::testing::ElementsAre(::testing::StartsWith(
                             "Datenbankserver|Die Verbindung zum Datenbankserver war unterbrochen und ist wieder da: ")));
}

} // namespace
