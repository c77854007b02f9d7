#include "FavoritenHostDialog.h"
#include "PracticeFixture.h"
#include "ShownTexts.h"

#include "dbdll/DBIdentity.h"
#include "dbdll/JParPool.h"
#include "dbdll/PracticeDatabase.h"
#include "msgbox/BoxAnswerer.h"
#include "support/DialogDriver.h"
#include "support/GuiApplication.h"
#include "vkdb/VKDatabase.h"
#include "vkwpfcpp/VKButtonClass.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTabWidget>
#include <QTreeView>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using j3test::DialogDriver;
using Names = std::vector<std::string>;

namespace {

const char* Kategorien[] = {"System", "Behandlung", "Verwaltung"};
// Categories 1, 1, 2, 1, 0: the first category comes back after the second.
const SFavoProgramm Programme[] = {
    {1, 10, "Karteikarte", "Kartei80", true},
    {1, 11, "Termine", "Termin80", true},
    {2, 20, "Quartalsabrechnung", "Abrechnung80", true},
    {1, 12, "R\xF6ntgen <Bilder> & Befunde", "Roentgen80", true},
    {0, 0, "Einstellungen", "Einstellungen80", true},
    {-1, 0, nullptr, nullptr, false},
};
constexpr int FavoritenNr = 42;
const char* const FavoritenPoolNr = " 42";  // the number as the pool keeps it
const char* const FavoritenKey = "favoriten";

Names Strings(const std::vector<CString>& texts)
{
    Names names;
    for (const CString& text : texts)
        names.emplace_back(text.GetString());
    return names;
}

class DiaFavoritenTest : public PracticeFixture, protected ShownTexts {
protected:
    void SetUp() override
    {
        j3test::GuiApplication::Instance();
        CreateDatabase();
        CString error;
        ASSERT_TRUE(CPracticeDatabase::Open(File(), error)) << error.GetString();
        std::copy(std::begin(Programme), std::end(Programme), m_programme);
        NewDialog();
    }
    void TearDown() override
    {
        dbOdon32 = false;
        CPracticeDatabase::Close();
    }

    // The favourites record, nullopt when there is none.
    static std::optional<std::string> Stored()
    {
        CJParPool pool(&dbDatabase, nullptr);
        pool.m_strNr = FavoritenPoolNr;
        pool.m_strKey = FavoritenKey;
        return pool.GetByK1(0) == CVKRSet::FOUND ? std::optional<std::string>(pool.m_strValue.str()) : std::nullopt;
    }
    static void Store(const std::string& value) { WriteParameter(FavoritenPoolNr, FavoritenKey, value); }
    static bool Load(CDiaFavoriten& tab)
    {
        CJParPool pool(&dbDatabase, nullptr);
        return tab.LoadFavoriten(pool, FavoritenNr, FavoritenKey);
    }

    static void Save(CDiaFavoriten& tab)
    {
        CJParPool pool(&dbDatabase, nullptr);
        tab.SaveFavoriten(pool, FavoritenNr, FavoritenKey);
    }

    // A tab built over the table without a dialog, for the host's operations.
    std::unique_ptr<CTestFavoriten> BuiltTab()
    {
        auto tab = std::make_unique<CTestFavoriten>(nullptr, m_programme, Kategorien);
        tab->CreateButtons();
        return tab;
    }

    // A fresh host dialog (and script) over the same table.
    void NewDialog()
    {
        m_dialog = std::make_unique<CFavoritenHostDialog>(m_programme, Kategorien);
        m_driver = DialogDriver();
    }
    QDialog& Window() { return *m_dialog->GetWindow(); }
    CTestFavoriten& Tab() { return *m_dialog->m_tab; }
    template <typename Widget = QWidget>
    Widget* Find(const char* name)
    {
        return Window().findChild<Widget*>(QString::fromLatin1(name));
    }
    // The shown buttons whose names start with the prefix, by name; a
    // disabled one marked with "-".
    Names Buttons(const char* prefix)
    {
        Names names;
        for (QAbstractButton* button : Window().findChildren<QAbstractButton*>())
            if (button->objectName().startsWith(QLatin1String(prefix)) && !button->isHidden() &&
                !button->objectName().endsWith(QLatin1String("_X")))
                names.push_back((button->isEnabled() ? "" : "-") + button->objectName().toStdString());
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return a.substr(a.front() == '-') < b.substr(b.front() == '-');
        });
        return names;
    }
    // The tree as the user sees it: "Category(program,-disabled program)".
    Names Tree()
    {
        const QAbstractItemModel* model = Find<QTreeView>("Tree")->model();
        Names categories;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex category = model->index(row, 0);
            std::string shown = category.data().toString().toStdString() + "(";
            for (int child = 0; child < model->rowCount(category); ++child) {
                const QModelIndex program = model->index(child, 0, category);
                shown += (child ? "," : "") + std::string(program.flags() & Qt::ItemIsEnabled ? "" : "-") +
                         program.data().toString().toStdString();
            }
            categories.push_back(shown + ")");
        }
        return categories;
    }
    Names Tabs()
    {
        auto* tabs = Find<QTabWidget>("DiaFavoriten");
        Names headers;
        for (int tab = 0; tab < tabs->count(); ++tab)
            headers.push_back((tabs->tabText(tab) + "/" + tabs->widget(tab)->objectName()).toStdString());
        return headers;
    }
    Names Favorites() { return Strings(Tab().FavoritenNames()); }
    void RunDialog()
    {
        m_driver.ClickFrameButton(VKButtonOK);
        EXPECT_EQ(m_driver.Run(*m_dialog), 1);
    }

    SFavoProgramm m_programme[std::size(Programme)];
    std::unique_ptr<CFavoritenHostDialog> m_dialog;
    DialogDriver m_driver;
};

TEST_F(DiaFavoritenTest, CategoryTabsButtonsAndTreeFollowTheTableAndWhatIsOffered)
{
    struct SCase {
        bool odon32;
        Names tabs;
        Names buttons;
        Names tree;
    };
    const SCase cases[] = {
        {false,
         {"Favoriten/Favoriten", "Alle/Alle", "Behandlung/SV0", "Verwaltung/SV1", "Behandlung/SV2", "System/SV3"},
         {"B20", "B21", "-B22", "B23", "B24"},
         {"Behandlung(Karteikarte,Röntgen <Bilder> & Befunde)", "System(Einstellungen)",
          "Verwaltung(-Quartalsabrechnung)"}},
        // The program not offered was the only one of its category: no tab.
        {true,
         {"Favoriten/Favoriten", "Alle/Alle", "Behandlung/SV0", "System/SV1"},
         {"B20", "B21", "B23", "B24"},
         {"Behandlung(Karteikarte,Röntgen <Bilder> & Befunde)", "System(Einstellungen)"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.odon32 ? "Odon32" : "normal");
        dbOdon32 = c.odon32;
        NewDialog();
        m_dialog->m_prepare = [](CTestFavoriten& tab) {
            tab.m_notOffered = {20};
            tab.m_notInTree = {11};
        };
        m_driver.Do([&] {
            EXPECT_EQ(Tabs(), c.tabs);
            EXPECT_EQ(Buttons("B2"), c.buttons);
            EXPECT_EQ(Tree(), c.tree);
            // A name with markup characters shows as it is on its button.
            EXPECT_EQ(Find<QAbstractButton>("B23")->text(), QString::fromUtf8("Röntgen <Bilder> && Befunde"));
        });
        RunDialog();
    }
}

TEST_F(DiaFavoritenTest, LoadingMakesEachStoredProgramAFavouriteOnceAndSavingKeepsTheOnesNotOffered)
{
    struct SCase {
        std::optional<std::string> stored;
        bool loaded;
        Names favorites;
        int notices;
        std::optional<std::string> saved;  // after loading and saving at once
    };
    const SCase cases[] = {
        {std::nullopt, false, {}, 0, std::nullopt},
        {"", true, {}, 0, ""},
        // The empty place after the last separator is no program 0.
        {"10|", true, {"BU0"}, 0, "10|"},
        {"10||11|", true, {"BU0", "BU1"}, 0, "10|11|"},
        {"0|", true, {"BU4"}, 0, "0|"},
        // Unknown and not offered programs are not shown but kept; repeats give one notice in all.
        {"99|20|10|10", true, {"BU0"}, 1, "10|99|20|"},
        {"11|10|11|10|11|20|20|", true, {"BU1", "BU0"}, 1, "11|10|20|"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(kein Satz)"));
        if (c.stored)
            Store(*c.stored);
        m_boxes.ClearRecords();
        auto tab = BuiltTab();
        tab->m_notOffered = {20};
        EXPECT_EQ(Load(*tab), c.loaded);
        EXPECT_EQ(Strings(tab->FavoritenNames()), c.favorites);
        EXPECT_EQ(m_boxes.RecordsOf(EBoxKind::Plain).size(), static_cast<std::size_t>(c.notices));
        Save(*tab);
        EXPECT_EQ(Stored(), c.saved);
    }
}

TEST_F(DiaFavoritenTest, HostEnablesHidesAndRemovesAProgramsButtonsAndTreeEntry)
{
    m_dialog->m_afterCreate = [](CTestFavoriten& tab) { tab.AddProgramm(11); };
    m_driver
        .Do([&] {
            // A favourite's tile shows its edge, so that the remove part in its corner sits on it.
            EXPECT_NE(Find("BU1")->grab().toImage().pixel(195, 80), Window().palette().window().color().rgb());
            Tab().EnableProgramm(11, false);
            EXPECT_EQ(Buttons("B"), (Names{"B20", "-B21", "B22", "B23", "B24", "-BU1"}));
            Tab().EnableProgramm(11, true);
            Tab().ShowProgramm(11, false);
            EXPECT_EQ(Buttons("B"), (Names{"B20", "B22", "B23", "B24"}));
            Tab().ShowProgramm(11, true);
            EXPECT_EQ(Buttons("B"), (Names{"B20", "B21", "B22", "B23", "B24", "BU1"}));
            Tab().RemoveProgramm(11);
            Tab().RemoveProgramm(10);  // no favourite
            EXPECT_EQ(Buttons("B"), (Names{"B22", "B23", "B24"}));
            EXPECT_EQ(Tree(), (Names{"Behandlung(Röntgen <Bilder> & Befunde)", "System(Einstellungen)",
                                     "Verwaltung(Quartalsabrechnung)"}));
            Tab().AddProgramm(10);
            EXPECT_EQ(Buttons("BU"), Names{"-BU0"});
        });
    RunDialog();
}

} // namespace
