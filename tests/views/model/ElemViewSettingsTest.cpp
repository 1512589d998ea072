// The element view's settings block: defaults, reading, the XyzAxisLength write-back.
#include "views/model/ElemViewSettings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "TempDir.h"
#include "platform/Profile.h"

namespace {

std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ElemViewSettings, TableHasSixtySevenDistinctKeysWithTheirDefaults) {
    const auto& keys = ElemViewSettingKeys();
    std::set<std::string> names;
    for (const auto& k : keys) names.insert(std::string(k.section) + "/" + k.key);
    EXPECT_EQ(names.size(), 67u);
    const ElemViewSettings s;
    EXPECT_EQ(s.Colour(kBackGround), (ViewRgb{23, 26, 50}));
    EXPECT_EQ(s.Colour(kGridPen), (ViewRgb{95, 126, 98}));
    EXPECT_EQ(s.Colour(kTorchColorPonch), (ViewRgb{255, 128, 0}));
    EXPECT_EQ(s.Colour(kSelectRouteColor), (ViewRgb{255, 128, 64}));
    EXPECT_EQ(s.Colour(kDangerousZonePen), (ViewRgb{255, 0, 0}));
    EXPECT_EQ(s.Colour(kAcAxisPen), (ViewRgb{255, 255, 0}));
    EXPECT_EQ(s[kFramePenStyle], 1);
    EXPECT_EQ(s[kTorchSize], 20);
    EXPECT_EQ(s[kEdgeArrowSize], 10);
    EXPECT_EQ(s[kAcAxisLength], 10);
    EXPECT_EQ(s[kMoveDirection], 1);
    EXPECT_EQ(s.XyzAxisLength, 50);
    EXPECT_STREQ(keys[kTraceToolPenWide].key, "TracetoolPenWide");
    EXPECT_STREQ(keys[kSkipLogRoutePenWide].section, "Setting for 16ILB");
    EXPECT_STREQ(keys[kEdgeArrowPen].section, "NcElemView");
}

TEST(ElemViewSettings, LoadReadsKeysUnlimitedAndWritesXyzAxisLengthBack) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    {
        std::ofstream out(ini, std::ios::binary);
        out << "[NcElemView]\r\nbackgroundr=300\r\nGridPenWide=3\r\nMoveDirection=0\r\n"
               "XyzAxisLength=70\r\n[Setting for 16ILB]\r\nTorchSize=-4\r\n"
               "SelectRouteColorG=12\r\n";
    }
    ElemViewSettings s;
    EXPECT_EQ(s.Load(ini), 1);
    EXPECT_EQ(s[kBackGround], 300);  // not limited; the drawing takes the low eight bits
    EXPECT_EQ(s[kGridPenWide], 3);
    EXPECT_EQ(s[kMoveDirection], 0);
    EXPECT_EQ(s[kTorchSize], -4);
    EXPECT_EQ(s.Colour(kSelectRouteColor), (ViewRgb{255, 12, 64}));
    EXPECT_EQ(s[kFramePenWide], 1);  // missing: default
    EXPECT_EQ(s.XyzAxisLength, 70);
    EXPECT_NE(ReadAll(ini).find("XyzAxisLength=70\r\n"), std::string::npos);
}

TEST(ElemViewSettings, ColourValueTakesTheLowEightBits) {
    EXPECT_EQ(ColourValue({23, 26, 50}), 23u + 256u * 26u + 65536u * 50u);
    EXPECT_EQ(ColourValue({300, -1, 256}), 44u + 256u * 255u);
}

TEST(ElemViewSettings, MissingFileGivesDefaultsAndIsCreated) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    ElemViewSettings s;
    s.Values[kGridPenWide] = 9;
    s.Load(ini);
    EXPECT_EQ(s[kGridPenWide], 1);
    EXPECT_EQ(platform::GetProfileInt("NcElemView", "XyzAxisLength", 0, ini), 50);
}

TEST(ElemViewSettings, Save16ILBWritesOnlyThatSection) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    ElemViewSettings s;
    s.Values[kTorchSize] = 33;
    s.Values[kGridPenWide] = 7;
    ASSERT_TRUE(s.Save16ILB(ini));
    EXPECT_EQ(platform::GetProfileInt("Setting for 16ILB", "TorchSize", 0, ini), 33);
    EXPECT_EQ(platform::GetProfileInt("Setting for 16ILB", "TorchColor_SkipLogR", 0, ini), 255);
    EXPECT_EQ(platform::GetProfileKeyNames("Setting for 16ILB", ini).size(), 24u);
    EXPECT_TRUE(platform::GetProfileKeyNames("NcElemView", ini).empty());
    ElemViewSettings back;
    back.Load(ini);
    EXPECT_EQ(back[kTorchSize], 33);
}

TEST(ElemViewSettings, Save16ILBAppendsMissingKeysInItsOwnOrder) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    ASSERT_TRUE(ElemViewSettings().Save16ILB(ini));
    const std::vector<std::string> expected = {"TorchColor_LaserOffR",
                                               "TorchColor_LaserOffG",
                                               "TorchColor_LaserOffB",
                                               "TorchColor_LaserOnR",
                                               "TorchColor_LaserOnG",
                                               "TorchColor_LaserOnB",
                                               "TorchColor_PonchR",
                                               "TorchColor_PonchG",
                                               "TorchColor_PonchB",
                                               "TorchColor_SkipLogR",
                                               "TorchColor_SkipLogG",
                                               "TorchColor_SkipLogB",
                                               "TorchSize",
                                               "SelectRouteColorR",
                                               "SelectRouteColorG",
                                               "SelectRouteColorB",
                                               "IncmpProcRouteColorR",
                                               "IncmpProcRouteColorG",
                                               "IncmpProcRouteColorB",
                                               "RoutePenWide",
                                               "SkipLog_RouteColorR",
                                               "SkipLog_RouteColorG",
                                               "SkipLog_RouteColorB",
                                               "SkipLog_RoutePenWide"};
    EXPECT_EQ(platform::GetProfileKeyNames("Setting for 16ILB", ini), expected);
}

}  // namespace
