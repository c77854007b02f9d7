#include "win32/Accelerators.h"

#include <gtest/gtest.h>

namespace {

TEST(AcceleratorsTest, EntriesBecomeKeySequences)
{
    struct SCase {
        ACCEL entry;
        const char* expected;
    };
    const SCase cases[] = {
        {{FVIRTKEY | FCONTROL | FSHIFT, 'D', 1}, "Ctrl+Shift+D"},
        {{FVIRTKEY | FALT, 'Q', 1}, "Alt+Q"},
        {{FVIRTKEY, VK_F1, 1}, "F1"},
        {{FVIRTKEY | FSHIFT, VK_F1 + 10, 1}, "Shift+F11"},
        {{FVIRTKEY | FCONTROL, VK_NEXT, 1}, "Ctrl+PgDown"},
        {{FVIRTKEY, 0x2E /* Delete: not bound here */, 1}, ""},
        {{FCONTROL, 'A', 1}, ""}, // a character entry, not a virtual key
    };
    for (const SCase& test : cases)
        EXPECT_EQ(AcceleratorKeySequence(test.entry), QKeySequence(test.expected)) << test.expected;
}

TEST(AcceleratorsTest, TablesAreFoundByModuleAndNumber)
{
    const auto module = reinterpret_cast<HMODULE>(&AcceleratorKeySequence);
    CAcceleratorResources::Register(module, 500, {{FVIRTKEY, VK_F1, 7}, {FVIRTKEY, VK_ESCAPE, 8}});
    const HACCEL table = LoadAcceleratorsA(module, MakeIntResourceA(500));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsA(module, MakeIntResourceA(501)), nullptr);
    EXPECT_EQ(LoadAcceleratorsA(module, "Tabelle"), nullptr);
    ACCEL copied[3] = {};
    EXPECT_EQ(CopyAcceleratorTableA(table, copied, 1), 1);
    EXPECT_EQ(copied[1].cmd, 0);
    EXPECT_EQ(CopyAcceleratorTableA(table, copied, 3), 2);
    EXPECT_EQ(copied[1].cmd, 8);

    // Registering again replaces the table behind the same handle.
    CAcceleratorResources::Register(module, 500, {{FVIRTKEY, VK_F1, 9}});
    EXPECT_EQ(LoadAcceleratorsA(module, MakeIntResourceA(500)), table);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 1);
}

} // namespace
