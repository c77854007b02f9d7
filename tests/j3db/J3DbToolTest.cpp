#include "J3DbToolFixture.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JPat.h"
#include "dbdll/JProgPool.h"
#include "dbdll/PracticeDatabase.h"
#include "j3params/J3HostText.h"
#include "vkdb/VKDatabase.h"

#include <gmock/gmock.h>

#include <QImage>

#include <fstream>

using ::testing::HasSubstr;

namespace {

using J3DbToolTest = J3DbToolFixture;

std::string AllBytes()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes + std::string("\0\0end", 5);
}

TEST_F(J3DbToolTest, InitCreatesAnEmptyDatabaseOnlyOnce)
{
    EXPECT_THAT(Ok({"init"}), HasSubstr("angelegt"));
    EXPECT_TRUE(std::filesystem::exists(m_database));
    EXPECT_EQ(Ok({"param", "ls"}), "");
    const std::string before = DatabaseBytes();
    const SResult again = Run({"init"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_THAT(again.err, HasSubstr("existiert bereits"));
    EXPECT_EQ(DatabaseBytes(), before);
}

TEST_F(J3DbToolTest, InitTakesTheFileAsArgumentAndCreatesItsFolder)
{
    const std::string file = m_dir.file("neu/unter/praxis.j3db");
    const SResult result = RunPlain({"init", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(J3DbToolTest, TheSamplePracticeFillsTheConfiguredRoots)
{
    Ok({"init", "--sample"});
    EXPECT_EQ(Ok({"ls", "D:\\Praxis\\Daten"}), "Bilder\\\nBriefe\\\nDruckvorlagen\\\neInfo\\\nProtokolle\\\n");
    EXPECT_EQ(Ok({"ls", "D:\\Praxis\\QA\\"}), "Hygiene\\\nPrüfberichte\\\n");
    EXPECT_EQ(Ok({"ls", "D:\\Praxis\\QA\\Hygiene"}), "Geräte\\\nSterilisation.LOG\n");
    EXPECT_THAT(Ok({"get", "D:\\Praxis\\Daten\\Briefe\\2024\\Überweisung Müller.txt"}),
                HasSubstr(CJ3HostText::FromHost("Grüßen").str()));

    const std::string png = Ok({"get", "D:\\Praxis\\Daten\\Bilder\\Röntgen Müller.png"});
    QImage image;
    ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"));
    EXPECT_EQ(image.size(), QSize(96, 64));

    EXPECT_EQ(Ok({"param", "get", "269", "indexmrk00"}), "Recall|Recall fällig|4694083\n"); // green 0x43A047 as 0x00BBGGRR
    EXPECT_EQ(Ok({"get", "D:\\Praxis\\Daten\\eInfo\\w1\\jt-j3praxis-PraxisDesk.1.1"}), CJ3HostText::FromHost("Recall im März vereinbart.").str());
    EXPECT_EQ(Ok({"param", "get", "269", "indexmrk02"}), "Angst|Angstpatient, mehr Zeit einplanen\n");

    CString error;
    ASSERT_TRUE(CPracticeDatabase::Open(m_database, error)) << error.GetString();
    dbPId = "99"; // any user: the sample grants the permissions practice-wide
    EXPECT_EQ(CJProgPool::GetPermission(291, "eInfo", true), CJProgPool::PERM_WRITE);
    EXPECT_EQ(CJProgPool::GetPermission(278, "Karteireiter Konfiguration", true), CJProgPool::PERM_WRITE);
    CJPat patient(&dbDatabase, nullptr);
    patient.m_strPatNr = "         1";
    ASSERT_EQ(patient.GetByK1(0), CVKRSet::FOUND);
    EXPECT_EQ(patient.m_strName, CJ3HostText::FromHost("Müller"));
    EXPECT_EQ(patient.m_strGebDat, CString("19580314"));
    ASSERT_EQ(patient.m_strIndexMarker.GetLength(), 47);
    EXPECT_EQ(patient.m_strIndexMarker.Mid(22), CString("1 1  11                  "));
    patient.m_strPatNr = "         6";
    EXPECT_EQ(patient.GetByK1(0), CVKRSet::NOT_FOUND);
    CPracticeDatabase::Close();
}

TEST_F(J3DbToolTest, AFailingSampleLeavesNoDatabaseBehind)
{
    // The QA root below a sample file of the data root: the store refuses it.
    std::ofstream(m_configFile) << "[paths]\ndata = D:\\P\\\nqa = D:\\P\\Briefe\\2024\\Recall Schäfer.txt\\\n";
    const SResult result = Run({"init", "--sample"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("Beispielpraxis"));
    EXPECT_FALSE(std::filesystem::exists(m_database));
    EXPECT_FALSE(std::filesystem::exists(m_database + "-wal"));
}

TEST_F(J3DbToolTest, PutAndGetRoundTripBinaryContent)
{
    Ok({"init"});
    const std::string bytes = AllBytes();
    WriteLocal("local/bild.bin", bytes);
    Ok({"put", m_dir.file("local/bild.bin"), "D:\\Praxis\\Daten\\Bilder\\Röntgen.bin"});
    Ok({"put", m_dir.file("local/bild.bin"), "D:\\Praxis\\Daten\\Bilder\\"});

    EXPECT_EQ(Ok({"get", "d:/praxis/daten/bilder/RÖNTGEN.BIN"}), bytes);
    Ok({"get", "D:\\Praxis\\Daten\\Bilder\\Röntgen.bin", m_dir.file("zurück.bin")});
    EXPECT_EQ(ReadLocal(m_dir.file("zurück.bin")), bytes);
    std::filesystem::create_directory(m_dir.path() / "ziel");
    Ok({"get", "D:\\Praxis\\Daten\\Bilder\\bild.bin", m_dir.file("ziel")});
    EXPECT_EQ(ReadLocal(m_dir.file("ziel/bild.bin")), bytes);
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("ziel/bild.bin.j3db-teil")));

    // Storing again replaces the content.
    WriteLocal("local/bild.bin", "kurz");
    Ok({"put", m_dir.file("local/bild.bin"), "D:\\Praxis\\Daten\\Bilder\\Röntgen.bin"});
    EXPECT_EQ(Ok({"get", "D:\\Praxis\\Daten\\Bilder\\Röntgen.bin"}), "kurz");
}

TEST_F(J3DbToolTest, LsListsDirectoriesFilesAndPatterns)
{
    Ok({"init"});
    WriteLocal("a.txt", "12345");
    const auto local = m_dir.file("a.txt");
    for (const char* path : {"C:\\D\\Brief.txt", "C:\\D\\Sub\\x.txt", "C:\\D\\Sub\\Tief\\y.txt", "C:\\D\\Abrechnung.LOG"})
        Ok({"put", local, path});

    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"ls", "C:\\D"}, "Abrechnung.LOG\nBrief.txt\nSub\\\n"},
        {{"ls", "c:/d/"}, "Abrechnung.LOG\nBrief.txt\nSub\\\n"},
        {{"ls", "C:\\D\\Sub"}, "Tief\\\nx.txt\n"},
        {{"ls", "C:\\D\\*.txt"}, "Brief.txt\n"},
        {{"ls", "C:\\D\\*.log"}, "Abrechnung.LOG\n"},
        {{"ls", "C:\\D\\Brief.txt"}, "Brief.txt\n"},
        {{"ls", "C:\\"}, "D\\\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const SResult result = Run({c.args[0], c.args[1]});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
    }

    const std::string longListing = Ok({"ls", "-l", "C:\\D"});
    EXPECT_THAT(longListing, ::testing::MatchesRegex("[0-9-]{10} [0-9:]{5} +5  Abrechnung.LOG\n"
                                                     "[0-9-]{10} [0-9:]{5} +5  Brief.txt\n"
                                                     " +<DIR>  Sub\\\\\n"));
}

TEST_F(J3DbToolTest, RmRemovesFilesButNotDirectories)
{
    Ok({"init"});
    WriteLocal("a.txt", "x");
    Ok({"put", m_dir.file("a.txt"), "C:\\D\\a.txt"});
    Ok({"put", m_dir.file("a.txt"), "C:\\D\\Sub\\b.txt"});

    const SResult directory = Run({"rm", "C:\\D\\Sub"});
    EXPECT_EQ(directory.exitCode, 1);
    EXPECT_THAT(directory.err, HasSubstr("ist ein Verzeichnis"));
    const SResult missing = Run({"rm", "C:\\D\\nichts.txt"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("existiert nicht"));

    Ok({"rm", "c:\\d\\A.TXT"});
    EXPECT_EQ(Ok({"ls", "C:\\D"}), "Sub\\\n");
    Ok({"rm", "C:\\D\\Sub\\b.txt"});
    EXPECT_EQ(Run({"ls", "C:\\D"}).exitCode, 1);
}

TEST_F(J3DbToolTest, ImportStoresAFolderTreeWithProgress)
{
    Ok({"init"});
    WriteLocal("quelle/Überweisung.txt", "Brief");
    WriteLocal("quelle/Röntgen/Bild 1.png", AllBytes());
    WriteLocal("quelle/Röntgen/2024/Bild 2.png", "zwei");
    std::filesystem::create_directories(m_dir.path() / "quelle/leer");

    const SResult result = Run({"import", m_dir.file("quelle"), "C:\\J3\\Daten\\Import\\"}, true);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("3 Dateien (" + std::to_string(5 + AllBytes().size() + 4) + " Bytes)"));
    EXPECT_THAT(result.err, HasSubstr("100% 3/3 Dateien"));

    EXPECT_EQ(Ok({"ls", "C:\\J3\\Daten\\Import"}), "Röntgen\\\nÜberweisung.txt\n");
    EXPECT_EQ(Ok({"ls", "C:\\J3\\Daten\\Import\\Röntgen"}), "2024\\\nBild 1.png\n");
    EXPECT_EQ(Ok({"get", "C:\\J3\\Daten\\Import\\Röntgen\\Bild 1.png"}), AllBytes());
    EXPECT_EQ(Ok({"get", "C:\\J3\\Daten\\Import\\Röntgen\\2024\\Bild 2.png"}), "zwei");
}

TEST_F(J3DbToolTest, AFailedImportStoresNothing)
{
    Ok({"init"});
    WriteLocal("a.txt", "x");
    // A file where the import needs a directory: the last file of the import fails.
    Ok({"put", m_dir.file("a.txt"), "C:\\Ziel\\zz"});
    WriteLocal("quelle/aa.txt", "1");
    WriteLocal("quelle/zz/b.txt", "2");
    const std::string before = DatabaseBytes();
    const SResult blocked = Run({"import", m_dir.file("quelle"), "C:\\Ziel"});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_THAT(blocked.err, HasSubstr("unter einer Datei"));
    EXPECT_EQ(Ok({"ls", "C:\\Ziel"}), "zz\n");

    // A name the store cannot hold refuses the whole import before any write.
    WriteLocal("andere/gut.txt", "1");
    WriteLocal("andere/Zahn 🦷.txt", "2");
    const SResult unfit = Run({"import", m_dir.file("andere"), "C:\\Andere"});
    EXPECT_EQ(unfit.exitCode, 1);
    EXPECT_THAT(unfit.err, HasSubstr("Zahn 🦷.txt"));
    EXPECT_EQ(DatabaseBytes(), before);
}

TEST_F(J3DbToolTest, ParamGetSetAndList)
{
    Ok({"init"});
    Ok({"param", "set", "269", "savewps001", "1"});
    Ok({"param", "set", "0", "usrpostit", "1"});
    Ok({"param", "set", "269", "indexmrk00", "Größe|Täglich"});
    Ok({"param", "set", "269", "savewps001", "0"});

    EXPECT_EQ(Ok({"param", "get", "269", "savewps001"}), "0\n");
    EXPECT_EQ(Ok({"param", "get", "269", "indexmrk00"}), "Größe|Täglich\n");
    EXPECT_EQ(Ok({"param", "ls"}), "  0\tusrpostit\t1\n269\tindexmrk00\tGröße|Täglich\n269\tsavewps001\t0\n");
    EXPECT_EQ(Ok({"param", "ls", "0"}), "  0\tusrpostit\t1\n");
    EXPECT_EQ(Ok({"param", "ls", "1"}), "");

    const SResult missing = Run({"param", "get", "269", "fehlt"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("gibt es nicht"));
}

TEST_F(J3DbToolTest, WithoutDbTheConfiguredDatabaseIsUsed)
{
    const std::string configured = m_dir.file("configured.j3db");
    EXPECT_EQ(RunPlain({"init"}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(configured));

    setenv("J3_DB", m_database.c_str(), 1);
    const SResult fromEnvironment = RunPlain({"init"});
    unsetenv("J3_DB");
    EXPECT_EQ(fromEnvironment.exitCode, 0) << fromEnvironment.err;
    EXPECT_TRUE(std::filesystem::exists(m_database));
}

} // namespace
