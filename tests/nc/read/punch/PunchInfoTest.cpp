// The punch information record: its bytes, field by field, and reading them back.
#include "nc/read/punch/PunchInfo.h"

#include <gtest/gtest.h>

#include "tests/nc/read/punch/PunchTestSupport.h"

namespace {

using punchtest::Hex;

std::string HexOf(const PunchInfo::Bytes& b) {
    return Hex(reinterpret_cast<const char*>(b.data()), b.size());
}

TEST(PunchInfo, BytesOfEachFieldAtItsOffset) {
    PunchInfo info;
    info.Type = kPunchShear;
    info.DieIndex = 0x1234;
    info.Values = {1.0f, 2.0f, -3.5f, 0.5f, 100.0f};
    info.X = 1.5;
    info.Y = -2.0;
    // name (16), type 06, index 3412, floats 1, 2, -3.5, 0.5, 100, zero, doubles 1.5, -2.
    EXPECT_EQ(HexOf(info.ToBytes()),
              "50756e6368496e666f00000000000000"
              "06"
              "3412"
              "0000803f"
              "00000040"
              "000060c0"
              "0000003f"
              "0000c842"
              "00"
              "000000000000f83f"
              "00000000000000c0");
}

TEST(PunchInfo, NibbleLineValuesSitAtTheirOwnOffsets) {
    PunchInfo info;
    info.Type = kPunchNibbleLine;
    info.Values = {1.0f, 2.0f, 3.0f, 4.0f, 5.0f};  // the fifth is not part of type 8
    const PunchInfo::Bytes b = info.ToBytes();
    // J at 19, Q at 23, P at 29, I at 33; 27-28 and 37-38 stay zero.
    EXPECT_EQ(HexOf(b).substr(38, 42),
              "0000803f"
              "00000040"
              "0000"
              "00004040"
              "00008040"
              "0000"
              "00");
    const auto back = PunchInfo::FromBytes(b);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Values, (std::array<float, 5>{1.0f, 2.0f, 3.0f, 4.0f, 0.0f}));
}

TEST(PunchInfo, ReadsBackWhatItWrites) {
    PunchInfo info;
    info.Type = kPunchCode202;
    info.DieIndex = 1999;
    info.Values = {0.0f, 80.0f, 80.0f, 0.0f, 0.0f};
    info.X = 12345.678;
    info.Y = -0.001;
    const auto back = PunchInfo::FromBytes(info.ToBytes());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, info);
}

TEST(PunchInfo, RefusesShortBlocksAndOtherNames) {
    PunchInfo::Bytes b = PunchInfo{}.ToBytes();
    EXPECT_FALSE(PunchInfo::FromBytes(std::span<const uint8_t>(b.data(), 55)).has_value());
    b[0] = 'p';
    EXPECT_FALSE(PunchInfo::FromBytes(b).has_value());
    EXPECT_FALSE(PunchInfo::FromBytes(nullptr, 56).has_value());
}

TEST(PunchInfo, DieIndexIsCheckedAgainstTheTable) {
    CPunchTool tool;
    punchtest::SetDies(tool, {punchtest::Die(7, kShapeRound, 10.0)});
    PunchInfo info;
    EXPECT_EQ(PunchInfoDie(tool, info), &tool.Dies[0]);
    info.DieIndex = 1;  // inside the 2,000 records, outside the dies read
    EXPECT_EQ(PunchInfoDie(tool, info), nullptr);
    info.DieIndex = 65535;
    EXPECT_EQ(PunchInfoDie(tool, info), nullptr);
}

}  // namespace
