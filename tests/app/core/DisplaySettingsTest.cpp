// Display flags: the text form, the defaults written to the INI and the bar plans.
#include "app/core/DisplaySettings.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "app/core/CommandIds.h"
#include "platform/Profile.h"

namespace {

TEST(DisplaySettings, FlagText) {
    EXPECT_EQ(FormatFlagBits(2, ':', 3), "1:1");
    EXPECT_EQ(FormatFlagBits(2, ':', 1), "1:0");
    EXPECT_EQ(FormatFlagBits(2, ':', 0), "0:0");
    struct Case {
        const char* text;
        uint16_t flags;
        int fields;
    };
    const Case cases[] = {
        {"1:1", 3, 2}, {"1:0", 1, 2}, {"0:1", 2, 2}, {"1", 1, 1},   {"::1", 1, 1},
        {"", 0, 0},    {"x:1", 2, 2}, {"7:0", 1, 2}, {"0:0", 0, 2}, {"1::1", 3, 2},
    };
    for (const Case& c : cases) {
        uint16_t f = 99;
        EXPECT_EQ(ParseFlagBits(':', c.text, f), c.fields) << c.text;
        EXPECT_EQ(f, c.flags) << c.text;
    }
}

TEST(DisplaySettings, DefaultsAreWrittenAndStoredValuesKept) {
    test::TempDir dir;
    auto ini = dir.path() / "MV_System.ini";
    platform::WriteProfileString("\"Edit\" Display setting", "Undo", "1:1", ini);
    DisplayFlags flags = LoadDisplayFlags(ini, true);
    EXPECT_EQ(flags.FlagsOf(cmd::Undo), 3);  // stored value kept
    // ForbidSheetRead: the conversions and the AC axis go on the bars, batch DXF goes away.
    EXPECT_EQ(flags.FlagsOf(cmd::ConvertG08), 3);
    EXPECT_EQ(flags.FlagsOf(cmd::Smooth), 3);
    EXPECT_EQ(flags.FlagsOf(cmd::ManualMove), 3);
    EXPECT_EQ(flags.FlagsOf(cmd::AcAxis), 3);
    EXPECT_EQ(flags.FlagsOf(cmd::BatchOutputDxf), 0);
    EXPECT_EQ(platform::GetProfileString("\"File\" Display setting", "Batch Output Dxf", "?", ini),
              "0:0");
    EXPECT_EQ(platform::GetProfileString("\"View\" Display setting", "XYZ axis", "?", ini), "1:0");
    // Without ForbidSheetRead the defaults differ, but the keys now in the file win.
    DisplayFlags again = LoadDisplayFlags(ini, false);
    EXPECT_EQ(again.FlagsOf(cmd::ConvertG08), 3);
    test::TempDir other;
    DisplayFlags fresh = LoadDisplayFlags(other.path() / "MV_System.ini", false);
    EXPECT_EQ(fresh.FlagsOf(cmd::ConvertG08), 0);
    EXPECT_EQ(fresh.FlagsOf(cmd::BatchOutputDxf), 1);
}

// The Edit bar's table with its two separator places.
const std::vector<int> kEditBar = {cmd::Undo,
                                   cmd::Redo,
                                   0,
                                   cmd::Cut,
                                   cmd::Copy,
                                   cmd::Paste,
                                   0,
                                   cmd::ShiftCoord,
                                   cmd::CheckNc,
                                   cmd::GetSubProgram,
                                   cmd::ConvertNc,
                                   cmd::ConvertG08,
                                   cmd::Smooth,
                                   cmd::ManualMove};

std::string Plan(const std::vector<uint16_t>& flags) {
    std::string s;
    for (const BarButtonPlan& b : ApplyDisplayFlags(kEditBar, flags, true)) {
        if (!b.shown) continue;
        if (b.separatorBefore) s += "| ";
        s += std::to_string(b.command) + " ";
    }
    return s;
}

TEST(DisplaySettings, SeparatorsOnlyBetweenShownButtons) {
    // Undo and Redo menu only: no separator before Cut.
    EXPECT_EQ(Plan({1, 1, 3, 3, 3, 3, 3, 3, 3, 0, 0, 0}),
              "57635 57634 57637 | 32861 32862 32863 32884 ");
    // Cut, Copy and Paste hidden: one separator between Redo and Shift.
    EXPECT_EQ(Plan({3, 3, 1, 1, 1, 3, 0, 0, 0, 0, 0, 0}), "57643 57644 | 32861 ");
    // Flags that run out count as 3.
    EXPECT_EQ(Plan({0, 0}), "57635 57634 57637 | 32861 32862 32863 32884 32895 32906 32907 ");
    auto plan = ApplyDisplayFlags(kEditBar, {2}, true);
    EXPECT_FALSE(plan[0].inMenu);
    EXPECT_TRUE(plan[0].shown);
    auto noBar = ApplyDisplayFlags(kEditBar, {3}, false);
    EXPECT_FALSE(noBar[0].shown);
    EXPECT_TRUE(noBar[0].inMenu);
}

}  // namespace
