#include "j3params/J3HostText.h"

#include <gtest/gtest.h>

namespace {

TEST(J3HostText, ConvertsBetweenUtf8And1252)
{
    const struct {
        const char* utf8;
        const char* ansi;
        const char* backToHost;
        bool fits;
    } cases[] = {
        {"Überweisung Müller.txt", "\xDC" "berweisung M\xFC" "ller.txt", "Überweisung Müller.txt", true},
        {"Größe € ß", "Gr\xF6\xDF" "e \x80 \xDF", "Größe € ß", true},
        {"", "", "", true},
        {"Zahn 🦷", "Zahn ?", "Zahn ?", false},
        {"Ω", "?", "?", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(CJ3HostText::FromHost(c.utf8), CString(c.ansi));
        EXPECT_EQ(CJ3HostText::FitsSuite(c.utf8), c.fits);
        EXPECT_EQ(CJ3HostText::ToHost(CString(c.ansi)), c.backToHost);
    }
}

} // namespace
