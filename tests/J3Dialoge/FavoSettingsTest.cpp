#include "WPFJ3DialogFixture.h"

#include "J3Dialoge/FavoSettings.h"

#include <optional>

namespace {

using FavoSettingsTest = WPFJ3DialogFixture;

TEST_F(FavoSettingsTest, OnlyTheExactValueOneLoadsAsSet)
{
    struct SCase {
        std::optional<std::string> stored;  // nullopt: no record
        bool loaded;
    };
    const SCase cases[] = {
        {std::nullopt, false}, {"1", true}, {"0", false}, {"01", false}, {" 1", false},
    };
    const char* const keys[] = {"usrfavorit", "usrpostit"};
    for (const char* key : keys) {
        for (const SCase& c : cases) {
            SCOPED_TRACE(std::string(key) + " = \"" + c.stored.value_or("(kein Satz)") + "\"");
            // The other setting is set, so that a mix-up of the keys shows.
            const char* other = key == keys[0] ? keys[1] : keys[0];
            Execute("DELETE FROM parpool");
            SetParameter("  0", other, "1");
            if (c.stored)
                SetParameter("  0", key, *c.stored);
            WithDatabase([&] {
                const CFavoSettings settings;
                EXPECT_EQ(key == keys[0] ? settings.m_bFavorit : settings.m_bPostIt, c.loaded);
                EXPECT_TRUE(key == keys[0] ? settings.m_bPostIt : settings.m_bFavorit);
            });
        }
    }
}

TEST_F(FavoSettingsTest, SavedSettingsLoadAgainAndReplaceTheStoredOnes)
{
    for (const auto& [favorit, postIt] : {std::pair{true, false}, std::pair{false, true}}) {
        SCOPED_TRACE(std::to_string(favorit) + "/" + std::to_string(postIt));
        WithDatabase([&] {
            CFavoSettings settings;
            settings.m_bFavorit = favorit;
            settings.m_bPostIt = postIt;
            settings.SaveSettings();
            const CFavoSettings loaded;
            EXPECT_EQ(loaded.m_bFavorit, favorit);
            EXPECT_EQ(loaded.m_bPostIt, postIt);
        });
        const std::map<std::string, std::string> expected = {{"usrfavorit", favorit ? "1" : "0"},
                                                             {"usrpostit", postIt ? "1" : "0"}};
        EXPECT_EQ(Parameters("  0", "usr"), expected);
    }
}

} // namespace
