// Window placement: the struct form in the placement file and the start-up choice.
#include "app/core/WindowPlacement.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Profile.h"

namespace {

TEST(WindowPlacement, ChooseByMode) {
    WindowPlacementRecord stored;
    stored.normal = {10, 20, 810, 620};
    struct Case {
        int mode;
        bool haveStored;
        uint32_t show;
        bool maximized;
        PlacementRect normal;
    };
    const Case cases[] = {
        {1, true, kShowNormal, false, {0, 139, 1025, 770}},
        {11, false, kShowNormal, false, {0, 139, 1025, 770}},
        {30, true, kShowNormal, false, {213, 118, 1029, 793}},
        {2, false, kShowNormal, false, {213, 118, 1029, 793}},
        {0, false, kShowNormal, true, {192, 108, 1728, 972}},
        {-1, false, kShowNormal, true, {192, 108, 1728, 972}},
        {0, true, kShowNormal, false, {10, 20, 810, 620}},
        {0, true, kShowMinimized, false, {10, 20, 810, 620}},
        {0, true, kShowMaximized, true, {10, 20, 810, 620}},
    };
    for (const Case& c : cases) {
        stored.showCmd = c.show;
        auto rec = c.haveStored ? std::optional(stored) : std::nullopt;
        StartPlacement p = ChooseStartPlacement(c.mode, rec, 1920, 1080);
        EXPECT_EQ(p.maximized, c.maximized) << c.mode;
        EXPECT_EQ(p.normal, c.normal) << c.mode;
    }
}

TEST(WindowPlacement, StructFormRoundTrip) {
    test::TempDir dir;
    auto file = dir.path() / "Morvalen.ini";
    WindowPlacementRecord r;
    r.showCmd = kShowMaximized;
    r.normal = {-5, 30, 1000, 700};
    ASSERT_TRUE(WritePlacement(file, r));
    std::string text = platform::GetProfileString("WINDOW", "PLACEMENT", "", file);
    EXPECT_EQ(text.size(), 90u);  // 44 bytes and the checksum, two hex digits each
    EXPECT_EQ(text.substr(0, 8), "2C000000");
    auto back = ReadPlacement(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->showCmd, static_cast<uint32_t>(kShowMaximized));
    EXPECT_EQ(back->normal, r.normal);
}

TEST(WindowPlacement, DamagedRecordsAreUnreadable) {
    test::TempDir dir;
    auto file = dir.path() / "Morvalen.ini";
    WindowPlacementRecord r;
    r.normal = {0, 0, 100, 100};
    std::string good = EncodeProfileStruct(r.ToBytes());
    std::string badSum = good;
    badSum.back() = badSum.back() == '0' ? '1' : '0';
    WindowPlacementRecord empty;  // a rectangle of no size
    const std::string texts[] = {"", "zz", good.substr(2), badSum,
                                 EncodeProfileStruct(empty.ToBytes())};
    for (const std::string& t : texts) {
        platform::WriteProfileString("WINDOW", "PLACEMENT", t, file);
        EXPECT_FALSE(ReadPlacement(file)) << t;
    }
    EXPECT_FALSE(ReadPlacement(dir.path() / "missing.ini"));
}

}  // namespace
