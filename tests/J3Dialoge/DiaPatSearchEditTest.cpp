#include "PatSearchTestDialog.h"
#include "PatientDialogFixture.h"

#include "support/DialogDriver.h"
#include "win32/LibraryLoader.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <filesystem>
#include <optional>

namespace {

constexpr const char* kField = "VKS_PAT";
constexpr const char* kOther = "VKLTEXTBOX_LEISTUNG";
constexpr const char* kSearch = "VKLTEXTBOX_SUCHE";
constexpr const char* kList = "VKLLISTVIEW_PATIENTEN";
constexpr int kSearchButton = 18;

// Texts typed into the field one after the other, each followed by leaving
// the field; nullopt enters and leaves the field without typing.
using Typing = std::vector<std::optional<std::string>>;

struct SFieldCase {
    const char* what;
    Typing typed;
    std::vector<bool> exitResults;
    std::string field;  // what the field shows at the end
    std::string patNr;
    std::vector<std::string> boxes;
};

class DiaPatSearchEditTest : public PatientDialogFixture {
protected:
    // Types (or just enters) the field, then leaves it for the other field.
    static void TypeAndLeave(j3test::DialogDriver& driver, const std::optional<std::string>& text)
    {
        if (text)
            driver.Type(kField, *text);
        else
            driver.PressKey(kField, Qt::Key_End);
        driver.PressKey(kOther, Qt::Key_End);
    }

    // Plays the steps on a fresh dialog, then notes what the field shows and
    // closes the dialog.
    std::string Run(CPatSearchTestDialog& dialog, j3test::DialogDriver& driver)
    {
        std::string field;
        driver.Do([&] { field = Text(*dialog.GetWindow(), kField); }).PressEscape();
        driver.Run(dialog);
        return field;
    }
};

TEST_F(DiaPatSearchEditTest, LeavingTheFieldLooksUpTheTypedNumber)
{
    const std::string hans = "      1234-Müller, Hans *01.02.1960";
    const SFieldCase cases[] = {
        {"known number, then confirmed again", {"1234", "1234"}, {true, false}, hans, "      1234", {}},
        {"number-name re-reads the number before the first dash",
         {"1234", std::nullopt, "  1234-Meier"}, {true, false, false}, hans, "      1234", {}},
        {"eleven characters are cut to ten", {"12345678901"}, {true}, "1234567890-Maier, Anna *24.12.1975",
         "1234567890", {}},
        {"no first name", {"77"}, {true}, "        77-Schulz *15.03.1990", "        77", {}},
        {"no birth date", {"120"}, {true}, "       120-Müllner, Jürgen", "       120", {}},
        {"emptied field empties the number", {"1234", ""}, {true, false}, "", "", {}},
        {"a character outside the code page is refused, nothing changed",
         {"1234", "12Ł4"}, {true, false}, "12Ł4", "      1234",
         {"Hinweis|Das 3. Zeichen der Eingabe kann in einer Patientennummer oder einem Namen nicht vorkommen. "
          "Bitte korrigieren Sie die Eingabe."}},
    };
    for (const SFieldCase& c : cases) {
        SCOPED_TRACE(c.what);
        m_boxes.ClearRecords();
        CPatSearchTestDialog dialog;
        j3test::DialogDriver driver;
        for (const auto& text : c.typed)
            TypeAndLeave(driver, text);
        const std::string field = Run(dialog, driver);
        EXPECT_EQ(dialog.m_exitResults, c.exitResults);
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(dialog.PatNr().str(), c.patNr);
        EXPECT_EQ(Boxes(), c.boxes);
        EXPECT_FALSE(ChoiceOpened());
    }
}

struct SChoiceCase {
    const char* typed;
    std::string search;              // the choice's search box when it opens
    std::vector<std::string> listed; // numbers it lists
    std::string refine;              // typed over the search box, "" for nothing
    Qt::Key key;                     // Return chooses the selected row, Escape cancels
    std::string field;
    std::string patNr;
    bool changed;
};

TEST_F(DiaPatSearchEditTest, AnythingButAKnownNumberOpensThePatientChoice)
{
    const SChoiceCase cases[] = {
        {"  Mül", "Mül", {"1234", "120"}, "mulln", Qt::Key_Return, "       120-Müllner, Jürgen", "       120", true},
        {"hAN", "hAN", {"1299", "1234"}, "", Qt::Key_Return, "      1299-Bauer, Hansi *01.01.1980", "      1299",
         true},
        {"MÜLLER", "MÜLLER", {"1234"}, "muller", Qt::Key_Return, "      1234-Müller, Hans *01.02.1960", "      1234",
         true},
        {"12", "12", {"1299", "1234567890", "1234", "120"}, "", Qt::Key_Escape, "", "", false},
        {"Zzz", "Zzz", {}, "", Qt::Key_Escape, "", "", false},
    };
    for (const SChoiceCase& c : cases) {
        SCOPED_TRACE(c.typed);
        CPatSearchTestDialog dialog;
        j3test::DialogDriver driver;
        driver.Do([&] {
            WhenChoiceOpens([&](QDialog& choice) {
                EXPECT_EQ(Text(choice, kSearch), c.search);
                EXPECT_EQ(Column(choice, kList, 0), c.listed);
                QWidget* search = j3test::DialogDriver::Find(choice, kSearch);
                search->setFocus();
                if (!c.refine.empty()) {
                    QTest::keyClick(search, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(search, QString::fromStdString(c.refine));
                }
                QTest::keyClick(search, c.key);
            });
        });
        TypeAndLeave(driver, c.typed);
        const std::string field = Run(dialog, driver);
        EXPECT_TRUE(ChoiceOpened());
        EXPECT_EQ(dialog.m_exitResults, std::vector<bool>{c.changed});
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(dialog.PatNr().str(), c.patNr);
        EXPECT_EQ(Boxes(), std::vector<std::string>{});
    }
}

TEST_F(DiaPatSearchEditTest, SearchButtonWorksOnlyWhileTheFieldHasTheFocus)
{
    CPatSearchTestDialog dialog;
    j3test::DialogDriver driver;
    std::vector<bool> enabled;
    const auto noteEnabled = [&] { enabled.push_back(dialog.GetFrameButton(kSearchButton)->isEnabled()); };
    TypeAndLeave(driver, std::string("1234"));
    driver.Do(noteEnabled).PressKey(kField, Qt::Key_End).Do(noteEnabled).Do([&] {
        WhenChoiceOpens([&](QDialog& choice) {
            EXPECT_EQ(Text(choice, kSearch), "1234");
            EXPECT_EQ(Column(choice, kList, 0), (std::vector<std::string>{"1234567890", "1234"}));
            auto* view = qobject_cast<QTreeView*>(j3test::DialogDriver::Find(choice, kList));
            const QPoint row = view->visualRect(view->model()->index(0, 0)).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row);
        });
    });
    driver.ClickFrameButton(kSearchButton);
    const std::string field = Run(dialog, driver);
    EXPECT_TRUE(ChoiceOpened());
    EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(field, "1234567890-Maier, Anna *24.12.1975");
    EXPECT_EQ(dialog.PatNr().str(), "1234567890");
}

TEST_F(DiaPatSearchEditTest, MissingLibraryOrFunctionGivesItsBoxAndEmptiesTheField)
{
    j3test::TempDir folder;
    const std::string withoutFunction = (folder.path() / "other").string();
    std::filesystem::create_directory(withoutFunction);
    // A library of that name that lacks the function: another plugin's.
    std::filesystem::copy_file(std::filesystem::path(m_pluginFolder) / "libj3up.so",
                               std::filesystem::path(withoutFunction) / "libj3patwahl.so");
    const struct {
        std::string folder;
        std::string box;
    } cases[] = {
        {folder.path().string(), "LoadLibrary fehlgeschlagen!|j3patwahl.dll\nJ3sPatWahl"},
        {withoutFunction, "Hinweis|Programm in Vorbereitung!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        m_boxes.ClearRecords();
        CLibraryLoader::SetPluginFolder(c.folder);
        CPatSearchTestDialog dialog;
        j3test::DialogDriver driver;
        TypeAndLeave(driver, std::string("Mül"));
        const std::string field = Run(dialog, driver);
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(field, "");
        EXPECT_EQ(dialog.PatNr().str(), "");
        EXPECT_EQ(dialog.m_exitResults, std::vector<bool>{false});
    }
}

} // namespace
