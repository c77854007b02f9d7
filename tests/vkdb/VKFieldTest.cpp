#include "vkdb/VKField.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

TEST(MakeKY, FoldsGermanTextsAndOrdersNamesLikeADictionary)
{
    struct Case {
        const char* text;
        int maxLength;
        const char* key;
    };
    const std::vector<Case> cases = {
        {"M\xFCller", INT_MAX, "MULLER"},
        {"\xC4rger \xD6l \xDC" "ber", INT_MAX, "ARGER OL UBER"},
        {"Stra\xDF" "e", INT_MAX, "STRASSE"},
        {"Ren\xE9 \xC7" "a \xC6sop \x9C" "uvre \xDE" "or \xFF", INT_MAX, "RENE CA AESOP OEUVRE THOR Y"},
        {"\x8A\x9A\x8E\x9E\x9F", INT_MAX, "SSZZY"},
        {"a1-b2 \xD7\xF7", INT_MAX, "A1-B2 \xD7\xF7"},  // not letters: unchanged
        {"Stra\xDF" "e", 5, "STRAS"},                  // cut inside the folded ß
        {"abc", 0, ""},
        {"abc", -3, ""},
        {"", 10, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CVKField::MakeKY(c.text, c.maxLength), c.key);
    }
    std::vector<CString> names = {"Zimmer", "\xD6ttinger", "muller", "Abel", "M\xFCller", "Otto", "Mueller", "\xE4rger"};
    std::stable_sort(names.begin(), names.end(), [](const CString& a, const CString& b) {
        return CVKField::MakeKY(a, INT_MAX) < CVKField::MakeKY(b, INT_MAX);
    });
    EXPECT_EQ(names, (std::vector<CString>{"Abel", "\xE4rger", "Mueller", "muller", "M\xFCller", "\xD6ttinger", "Otto",
                                           "Zimmer"}));
}

