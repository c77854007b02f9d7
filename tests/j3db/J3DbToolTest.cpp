#include "J3DbToolFixture.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JPat.h"
#include "dbdll/JProgPool.h"
#include "dbdll/PracticeDatabase.h"
#include "j3params/J3HostText.h"
#include "support/UncheckedStoreRow.h"
#include "vkdb/VKDatabase.h"

#include <gmock/gmock.h>

#include <QImage>

#include <sys/stat.h>

#include <fstream>
#include <future>

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

TEST_F(J3DbToolTest, InitCreatesTheDatabaseOnlyOnce)
{
    const std::string given = m_dir.file("neu/unter/praxis.j3db");
    const std::string configured = m_dir.file("configured.j3db");
    for (const auto& [args, file] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--db", m_database, "init"}, m_database}, {{"init", given}, given}, {{"init"}, configured}}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(RunPlain(args).exitCode, 0);
        EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0600));
        const std::string before = j3test::FileBytes(file);
        const SResult again = RunPlain(args);
        EXPECT_EQ(again.exitCode, 1);
        EXPECT_THAT(again.err, HasSubstr("existiert bereits"));
        EXPECT_EQ(j3test::FileBytes(file), before);
    }
    EXPECT_EQ(Ok({"param", "ls"}), "");
    // A database others can read is opened, with the command that mends it.
    std::filesystem::permissions(m_database, std::filesystem::perms(0644));
    testing::internal::CaptureStderr();
    Run({"param", "ls"});
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                HasSubstr("alle Benutzer dieses Rechners lesen. Abhilfe: chmod o-rwx '" + m_database + "'"));
    // Nothing of the building is left beside the new files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 4);
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

    CString error;
    ASSERT_TRUE(CPracticeDatabase::Open(m_database, error)) << error.GetString();
    dbPId = "99"; // any user: the sample grants the permissions practice-wide
    EXPECT_EQ(CJProgPool::GetPermission(291, "eInfo", true), CJProgPool::PERM_WRITE);
    CJPat patient(&dbDatabase, nullptr);
    patient.m_strPatNr = "         1";
    ASSERT_EQ(patient.GetByK1(0), CVKRSet::FOUND);
    EXPECT_EQ(patient.m_strName, CJ3HostText::FromHost("Müller"));
    EXPECT_EQ(patient.m_strIndexMarker.Mid(22), CString("1 1  11                  "));
    CPracticeDatabase::Close();
}

TEST_F(J3DbToolTest, AFailingSampleLeavesNoDatabaseBehind)
{
    // The QA root below a sample file of the data root: the store refuses it.
    std::ofstream(m_configFile) << "[paths]\ndata = D:\\P\\\nqa = D:\\P\\Briefe\\2024\\Recall Schäfer.txt\\\n";
    const SResult result = Run({"init", "--sample"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("Beispielpraxis"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 1); // the configuration
}

TEST_F(J3DbToolTest, PutAndGetRoundTripBinaryContent)
{
    Ok({"init"});
    const std::string bytes = AllBytes();
    WriteLocal("local/bild.bin", bytes);
    Ok({"put", m_dir.file("local/bild.bin"), "D:\\Praxis\\Daten\\Bilder\\Röntgen.bin"});
    Ok({"put", m_dir.file("local/bild.bin"), "D:\\Praxis\\Daten\\Bilder\\"});
    EXPECT_EQ(Ok({"get", "d:/praxis/daten/bilder/RÖNTGEN.BIN"}), bytes);
    EXPECT_EQ(Ok({"get", "D:\\Praxis\\Daten\\Bilder\\bild.bin", "-"}), bytes);
    std::filesystem::create_directory(m_dir.path() / "ziel");
    Ok({"get", "D:\\Praxis\\Daten\\Bilder\\bild.bin", m_dir.file("ziel")});
    EXPECT_EQ(j3test::FileBytes(m_dir.file("ziel/bild.bin")), bytes);

    WriteLocal("local/bild.bin", "kurz");
    Ok({"put", m_dir.file("local/bild.bin"), "D:\\Praxis\\Daten\\Bilder\\Röntgen.bin"});
    EXPECT_EQ(Ok({"get", "D:\\Praxis\\Daten\\Bilder\\Röntgen.bin"}), "kurz");
}

TEST_F(J3DbToolTest, GetNeverFollowsAPlantedLinkAndWritesThroughWhatIsNoPlainFile)
{
    Ok({"init"});
    WriteLocal("a.txt", "Inhalt");
    Ok({"put", m_dir.file("a.txt"), "D:\\Praxis\\Daten\\a.txt"});
    // A link where a temporary file of a fixed name would go.
    WriteLocal("opfer.txt", "bleibt");
    std::filesystem::create_symlink(m_dir.file("opfer.txt"), m_dir.file("aus.txt.j3db-teil"));
    Ok({"get", "D:\\Praxis\\Daten\\a.txt", m_dir.file("aus.txt")});
    EXPECT_EQ(j3test::FileBytes(m_dir.file("aus.txt")), "Inhalt");
    EXPECT_EQ(j3test::FileBytes(m_dir.file("opfer.txt")), "bleibt");

    // A link as the target is kept and the file it names written.
    std::filesystem::create_symlink(m_dir.file("opfer.txt"), m_dir.file("verweis.txt"));
    Ok({"get", "D:\\Praxis\\Daten\\a.txt", m_dir.file("verweis.txt")});
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir.file("verweis.txt")));
    EXPECT_EQ(j3test::FileBytes(m_dir.file("opfer.txt")), "Inhalt");

    // A pipe stays a pipe and gets the content.
    ASSERT_EQ(mkfifo(m_dir.file("rohr").c_str(), 0600), 0);
    auto reader = std::async(std::launch::async, [&] { return j3test::FileBytes(m_dir.file("rohr")); });
    Ok({"get", "D:\\Praxis\\Daten\\a.txt", m_dir.file("rohr")});
    EXPECT_EQ(reader.get(), "Inhalt");
    EXPECT_TRUE(std::filesystem::is_fifo(m_dir.file("rohr")));
}

TEST_F(J3DbToolTest, LsListsDirectoriesFilesAndPatternsWithControlCharactersShown)
{
    Ok({"init"});
    WriteLocal("a.txt", "12345");
    for (const char* path : {"D:\\Praxis\\Daten\\Brief.txt", "D:\\Praxis\\Daten\\Sub\\x.txt",
                             "D:\\Praxis\\Daten\\Sub\\Tief\\y.txt", "D:\\Praxis\\Daten\\Abrechnung.LOG"})
        Ok({"put", m_dir.file("a.txt"), path});
    CVKDatabase db;
    ASSERT_TRUE(db.Open(m_database));
    ASSERT_TRUE(j3test::StoreUnchecked(db, "D:\\Alt\\zwei\nZeilen\x1B[2J.txt"));

    const struct {
        std::string path;
        std::string out;
    } cases[] = {
        {"D:\\Praxis\\Daten", "Abrechnung.LOG\nBrief.txt\nSub\\\n"},
        {"d:/praxis/daten/", "Abrechnung.LOG\nBrief.txt\nSub\\\n"},
        {"D:\\Praxis\\Daten\\Sub", "Tief\\\nx.txt\n"},
        {"D:\\Praxis\\Daten\\*.log", "Abrechnung.LOG\n"},
        {"D:\\Praxis\\Daten\\Brief.txt", "Brief.txt\n"},
        {"D:\\Alt", "zwei\\x0AZeilen\\x1B[2J.txt\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Ok({"ls", c.path}), c.out);
    }
    EXPECT_THAT(Ok({"ls", "-l", "D:\\Praxis\\Daten"}),
                ::testing::MatchesRegex("[0-9-]{10} [0-9:]{5} +5  Abrechnung.LOG\n"
                                        "[0-9-]{10} [0-9:]{5} +5  Brief.txt\n"
                                        " +<DIR>  Sub\\\\\n"));

    const SResult directory = Run({"rm", "D:\\Praxis\\Daten\\Sub"});
    EXPECT_EQ(directory.exitCode, 1);
    EXPECT_THAT(directory.err, HasSubstr("ist ein Verzeichnis"));
    Ok({"rm", "d:\\praxis\\daten\\BRIEF.TXT"});
    EXPECT_EQ(Run({"ls", "D:\\Praxis\\Daten\\*.txt"}).exitCode, 1);
}

TEST_F(J3DbToolTest, ImportStoresAFolderTreeAndReportsTheLinksItSkips)
{
    Ok({"init"});
    WriteLocal("quelle/Überweisung.txt", "Brief");
    WriteLocal("quelle/Röntgen/Bild 1.png", AllBytes());
    WriteLocal("quelle/Röntgen/2024/Bild 2.png", "zwei");
    WriteLocal("draussen/geheim.txt", "geheim");
    std::filesystem::create_symlink(m_dir.file("draussen/geheim.txt"), m_dir.file("quelle/link.txt"));
    std::filesystem::create_directory_symlink(m_dir.file("draussen"), m_dir.file("quelle/Ordnerlink"));

    const SResult result = Run({"import", m_dir.file("quelle"), "D:\\Praxis\\Daten\\Import\\"}, true);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("3 Dateien (" + std::to_string(5 + AllBytes().size() + 4) + " Bytes)"));
    EXPECT_THAT(result.err, HasSubstr("100% 3/3 Dateien"));
    EXPECT_THAT(result.err, HasSubstr("übersprungen, keine gewöhnliche Datei (symbolische Verknüpfung, Gerät oder "
                                      "Pipe): Ordnerlink\n"));
    EXPECT_THAT(result.err, HasSubstr("Pipe): link.txt\n"));
    EXPECT_EQ(Ok({"ls", "D:\\Praxis\\Daten\\Import"}), "Röntgen\\\nÜberweisung.txt\n");
    EXPECT_EQ(Ok({"get", "D:\\Praxis\\Daten\\Import\\Röntgen\\Bild 1.png"}), AllBytes());
}

TEST_F(J3DbToolTest, AFailedImportStoresNothing)
{
    Ok({"init"});
    WriteLocal("a.txt", "x");
    // A file where the import needs a directory: the last file of the import fails.
    Ok({"put", m_dir.file("a.txt"), "D:\\Praxis\\Daten\\zz"});
    WriteLocal("quelle/aa.txt", "1");
    WriteLocal("quelle/zz/b.txt", "2");
    const std::string before = DatabaseBytes();
    const SResult blocked = Run({"import", m_dir.file("quelle"), "D:\\Praxis\\Daten"});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_THAT(blocked.err, HasSubstr("unter einer Datei"));

    // Names the store cannot hold refuse the whole import before any write.
    WriteLocal("andere/gut.txt", "1");
    WriteLocal("andere/Zahn 🦷.txt", "2");
    const SResult unfit = Run({"import", m_dir.file("andere"), "D:\\Praxis\\Daten"});
    EXPECT_EQ(unfit.exitCode, 1);
    EXPECT_THAT(unfit.err, HasSubstr("Zahn 🦷.txt"));
    WriteLocal("windows/nul.txt", "1");
    WriteLocal("windows/a\x01.txt", "1");
    const SResult forbidden = Run({"import", m_dir.file("windows"), "D:\\Praxis\\Daten"});
    EXPECT_EQ(forbidden.exitCode, 2);
    EXPECT_THAT(forbidden.err, HasSubstr("\"D:\\Praxis\\Daten\\nul.txt\" kann nicht gespeichert werden"));
    EXPECT_THAT(forbidden.err, HasSubstr("\"D:\\Praxis\\Daten\\a\\x01.txt\" kann nicht gespeichert werden"));
    EXPECT_EQ(DatabaseBytes(), before);
}

TEST_F(J3DbToolTest, ParamGetSetAndList)
{
    Ok({"init"});
    Ok({"param", "set", "269", "savewps001", "1"});
    Ok({"param", "set", "0", "usrpostit", "1"});
    Ok({"param", "set", "269", "indexmrk00", "Größe|Täglich\tneu"});
    Ok({"param", "set", "269", "savewps001", "0"});

    EXPECT_EQ(Ok({"param", "get", "269", "savewps001"}), "0\n");
    EXPECT_EQ(Ok({"param", "ls"}), "  0\tusrpostit\t1\n269\tindexmrk00\tGröße|Täglich\\x09neu\n269\tsavewps001\t0\n");
    EXPECT_EQ(Ok({"param", "ls", "0"}), "  0\tusrpostit\t1\n");
    const SResult missing = Run({"param", "get", "269", "fehlt"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("gibt es nicht"));
}

} // namespace
