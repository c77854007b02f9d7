#include "PatientDialogFixture.h"

#include "J3Dialoge/DiaPatSearchEdit.h"
#include "support/DialogDriver.h"
#include "win32/LibraryLoader.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <optional>

namespace {

constexpr const char* kField = "VKS_PAT";
constexpr const char* kOther = "VKLTEXTBOX_LEISTUNG";
constexpr const char* kSearch = "VKLTEXTBOX_SUCHE";
constexpr const char* kList = "VKLLISTVIEW_PATIENTEN";
constexpr int kSearchButton = 18;
const std::string kHans = "      1234-Müller, Hans *01.02.1960";

// The patient field beside a second field; its search button starts the
// patient choice. It notes what each leaving of the field answered.
class CPatFieldDialog : public CDiaPatSearchEdit {
public:
    CPatFieldDialog() : CDiaPatSearchEdit("test/DiaPatSearchTestDialog", "j3wpfcs", nullptr) { m_bNoPlacement = true; }
    bool OnExitPatSearch() override { return m_exits.emplace_back(CDiaPatSearchEdit::OnExitPatSearch()); }
    void OnSearch() override { DoPatSearch(); }
    const CString& PatNr() const { return m_strPatNr; }
    std::vector<bool> m_exits;
};

class DiaPatSearchEditTest : public PatientDialogFixture {
protected:
    // Types the text (or, without one, only enters the field), then leaves
    // the field for the other one.
    static void TypeAndLeave(j3test::DialogDriver& driver, const std::optional<std::string>& text)
    {
        if (text)
            driver.Type(kField, *text);
        else
            driver.PressKey(kField, Qt::Key_End);
        driver.PressKey(kOther, Qt::Key_End);
    }

    // Plays the steps, then notes what the field shows and closes the dialog.
    static std::string Run(CPatFieldDialog& dialog, j3test::DialogDriver& driver)
    {
        std::string field = "?";
        driver.Do([&] { field = Text(*dialog.GetWindow(), kField); }).PressEscape();
        driver.Run(dialog);
        return field;
    }

    // The choice shows the search text and lists those numbers; the refining
    // text is typed after it, then the key ends the choice.
    void Choose(const std::string& search, const std::vector<std::string>& listed, const std::string& refine,
                Qt::Key key)
    {
        WhenChoiceOpens([=](QDialog& choice) {
            EXPECT_EQ(Text(choice, kSearch), search);
            EXPECT_EQ(Column(choice, kList, 0), listed);
            QWidget* box = j3test::DialogDriver::Find(choice, kSearch);
            if (!refine.empty())
                QTest::keyClicks(box, QString::fromStdString(refine));
            QTest::keyClick(box, key);
        });
    }
};

TEST_F(DiaPatSearchEditTest, LeavingTheFieldLooksUpTheTypedNumber)
{
    const struct {
        std::vector<std::optional<std::string>> typed;  // nullopt: enter and leave without typing
        std::vector<bool> exits;
        std::string field;
        std::string patNr;
        std::vector<std::string> boxes;
    } cases[] = {
        {{"1234", "1234"}, {true, false}, kHans, "      1234", {}},
        {{"1234", std::nullopt, "  1234-Meier"}, {true, false, false}, kHans, "      1234", {}},
        {{"12345678901"}, {true}, "1234567890-Maier, Anna *24.12.1975", "1234567890", {}},
        {{"77"}, {true}, "        77-Schulz *15.03.1990", "        77", {}},
        {{"120"}, {true}, "       120-Müllner, Jürgen", "       120", {}},
        {{"1234", ""}, {true, false}, "", "", {}},
        // Refused, not changed into another patient's number.
        {{"1234", "12Ł4"}, {true, false}, "12Ł4", "      1234",
         {"Hinweis|Das 3. Zeichen der Eingabe kann in einer Patientennummer oder einem Namen nicht vorkommen. "
          "Bitte korrigieren Sie die Eingabe."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        m_boxes.ClearRecords();
        CPatFieldDialog dialog;
        j3test::DialogDriver driver;
        for (const auto& text : c.typed)
            TypeAndLeave(driver, text);
        const std::string field = Run(dialog, driver);
        EXPECT_EQ(dialog.m_exits, c.exits);
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(dialog.PatNr().str(), c.patNr);
        EXPECT_EQ(Boxes(), c.boxes);
        EXPECT_FALSE(ChoiceOpened());
    }
}

TEST_F(DiaPatSearchEditTest, AnythingButAKnownNumberOpensThePatientChoice)
{
    const struct {
        const char* typed;
        std::string search;
        std::vector<std::string> listed;
        std::string refine;
        Qt::Key key;
        std::string field;
    } cases[] = {
        {"  Mül", "Mül", {"1234", "120"}, "ln", Qt::Key_Return, "       120-Müllner, Jürgen"},
        {"hAN", "hAN", {"1299", "1234"}, "", Qt::Key_Return, "      1299-Bauer, Hansi *01.01.1980"},
        {"MÜLLER", "MÜLLER", {"1234"}, "", Qt::Key_Return, kHans},
        {"12", "12", {"1299", "1234567890", "1234", "120"}, "", Qt::Key_Escape, ""},
        {"Zzz", "Zzz", {}, "", Qt::Key_Escape, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        CPatFieldDialog dialog;
        j3test::DialogDriver driver;
        driver.Do([&] { Choose(c.search, c.listed, c.refine, c.key); });
        TypeAndLeave(driver, c.typed);
        const std::string field = Run(dialog, driver);
        EXPECT_TRUE(ChoiceOpened());
        EXPECT_EQ(dialog.m_exits, std::vector<bool>{!c.field.empty()});
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(dialog.PatNr().str(), c.field.substr(0, c.field.empty() ? 0 : 10));
    }
}

TEST_F(DiaPatSearchEditTest, SearchButtonWorksWhileTheFieldHasTheFocus)
{
    CPatFieldDialog dialog;
    j3test::DialogDriver driver;
    std::vector<bool> enabled;
    const auto noteEnabled = [&] { enabled.push_back(dialog.GetFrameButton(kSearchButton)->isEnabled()); };
    TypeAndLeave(driver, "1234");
    driver.Do(noteEnabled).PressKey(kField, Qt::Key_End).Do(noteEnabled);
    driver.Do([&] {
        WhenChoiceOpens([&](QDialog& choice) {
            EXPECT_EQ(Text(choice, kSearch), "1234");
            EXPECT_EQ(Column(choice, kList, 0), (std::vector<std::string>{"1234567890", "1234"}));
            j3test::DialogDriver().DoubleClickRow(kList, 0).PlayOn(choice);
        });
    });
    driver.ClickFrameButton(kSearchButton);
    EXPECT_EQ(Run(dialog, driver), "1234567890-Maier, Anna *24.12.1975");
    EXPECT_TRUE(ChoiceOpened());
    EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
}

TEST_F(DiaPatSearchEditTest, MissingLibraryOrFunctionGivesItsBoxAndEmptiesTheField)
{
    // Without the library, and with a library of that name that lacks the
    // function (another plugin's).
    j3test::TempDir without;
    j3test::TempDir lacking;
    std::filesystem::copy_file(std::filesystem::path(m_pluginFolder) / "libj3up.so",
                               lacking.path() / "libj3patwahl.so");
    const std::pair<std::string, std::string> cases[] = {
        {without.path().string(), "LoadLibrary fehlgeschlagen!|j3patwahl.dll\nJ3sPatWahl"},
        {lacking.path().string(), "Hinweis|Programm in Vorbereitung!"},
    };
    for (const auto& [folder, box] : cases) {
        m_boxes.ClearRecords();
        CLibraryLoader::SetPluginFolder(folder);
        CPatFieldDialog dialog;
        j3test::DialogDriver driver;
        TypeAndLeave(driver, "Mül");
        const std::string field = Run(dialog, driver);
        EXPECT_EQ(Boxes(), std::vector<std::string>{box});
        EXPECT_EQ(field, "");
        EXPECT_EQ(dialog.PatNr().str(), "");
    }
}

} // namespace
