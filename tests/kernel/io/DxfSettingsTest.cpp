// Tests of section "Dxf" of the system settings file as the DXF output reads it.
#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "kernel/io/DxfSettings.h"

TEST(DxfSettingsTest, DefaultsWhenTheFileIsMissing) {
    DxfSettings s;
    s.cut.penNo = 4;
    s.Read("/nonexistent/MV_System.ini");
    EXPECT_EQ(s.cut.output, 1);
    EXPECT_EQ(s.cut.penNo, 0);
    EXPECT_EQ(s.cut.layer, "1");
    EXPECT_EQ(s.mark.penNo, 2);
    EXPECT_EQ(s.mark.layer, "1");
    EXPECT_EQ(s.rapid.penNo, 1);
    EXPECT_EQ(s.rapid.lineTypeNo, 2);
    EXPECT_EQ(s.rapid.layer, "2");
    EXPECT_EQ(s.aprProc, 0);
    EXPECT_DOUBLE_EQ(s.jointLen, 1.0);
    EXPECT_DOUBLE_EQ(s.aprChkLen, 30.0);
    EXPECT_EQ(s.approach.penNo, 5);
    EXPECT_EQ(s.joint.penNo, 6);
    EXPECT_EQ(s.OutputMask(), 15u);
}

TEST(DxfSettingsTest, ReadsTheKeysOfSectionDxf) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    std::ofstream(ini) << "[dxf]\r\nCut_Output=0\r\nCut_PenNo=3\r\nCut_LayerName=  \r\n"
                          "Mrk_LayerName=\r\nFF_LayerName=\r\nFF_Output=x\r\nMrk_LKindNo=4\r\n"
                          "Apr_Proc=1\r\nApr_Mode=1\r\nApr_JointLen=0,5\r\nApr_AprChkLen=12.5\r\n"
                          "Apr_LayerName=\r\nJnt_LayerName=" +
                              std::string(70, 'J') + "\r\n";
    DxfSettings s;
    s.Read(ini);
    EXPECT_EQ(s.cut.output, 0);
    EXPECT_EQ(s.cut.penNo, 3);
    EXPECT_EQ(s.cut.layer, "1");
    EXPECT_EQ(s.mark.layer, "2");  // empty mark layer gives "2", unlike its default "1"
    EXPECT_EQ(s.rapid.layer, "3");
    EXPECT_EQ(s.rapid.output, 0);  // text that is no number
    EXPECT_EQ(s.mark.lineTypeNo, 4);
    EXPECT_EQ(s.aprProc, 1);
    EXPECT_EQ(s.aprMode, 1);
    EXPECT_DOUBLE_EQ(s.jointLen, 0.0);  // C notation: "0,5" reads as 0
    EXPECT_DOUBLE_EQ(s.aprChkLen, 12.5);
    EXPECT_EQ(s.approach.layer, "");  // taken as read
    EXPECT_EQ(s.joint.layer, std::string(63, 'J'));
    EXPECT_EQ(s.OutputMask(), 2u);
}

TEST(DxfSettingsTest, LongNamesAreCutWithoutSplittingADoubleByteCharacter) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    // 62 ASCII bytes, then a CP932 pair that would straddle the 63-byte limit.
    std::ofstream(ini) << "[Dxf]\nCut_LayerName=" << std::string(62, 'A') << "\x83\x41Z\n";
    DxfSettings s;
    s.Read(ini);
    EXPECT_EQ(s.cut.layer, std::string(62, 'A'));
}

TEST(DxfSettingsTest, LineTypesAndColours) {
    EXPECT_STREQ(DxfLineTypeName(0), "CONTINUOUS");
    EXPECT_STREQ(DxfLineTypeName(1), "DASHDOT");
    EXPECT_STREQ(DxfLineTypeName(2), "DASHED");
    EXPECT_STREQ(DxfLineTypeName(3), "DIVIDE");
    EXPECT_STREQ(DxfLineTypeName(4), "DOT");
    EXPECT_STREQ(DxfLineTypeName(5), "CONTINUOUS");
    EXPECT_STREQ(DxfLineTypeName(-1), "CONTINUOUS");
    EXPECT_EQ(DxfColourOfPen(0), 1);
    EXPECT_EQ(DxfColourOfPen(6), 7);
    EXPECT_EQ(DxfColourOfPen(-1), 7);
    EXPECT_EQ(DxfColourOfPen(300), 7);
}
