// The list's settings: defaults, values read and the keys written back.
#include "text/core/NcTextViewSettings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "platform/Profile.h"

TEST(NcTextViewSettings, DefaultsAndWriteBack) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    NcTextViewSettings s;
    EXPECT_EQ(s.Load(ini), 1);
    EXPECT_EQ(s.OnoPen, (NcTextViewSettings::Rgb{255, 0, 0}));
    EXPECT_EQ(s.CommentPen, (NcTextViewSettings::Rgb{0, 128, 0}));
    EXPECT_EQ(s.FontSize, 110);
    EXPECT_EQ(s.FontName, kDefaultNcFontName);
    EXPECT_EQ(s.WeightTimeL, 40);
    EXPECT_EQ(platform::GetProfileString("NcTextView", "WeightTimeFF", "", ini), "1");
    EXPECT_EQ(ReadColumnWidths(ini), (std::array<int, 3>{25, 50, 350}));
}

TEST(NcTextViewSettings, ReadsKeysAnyCase) {
    test::TempDir dir;
    const auto ini = dir.path() / "MV_System.ini";
    std::ofstream(ini) << "[NcTextView]\r\nOnoPenG=7\r\nFontSize=90\r\nColumnWidth2=400\r\n"
                          "[NcElemView]\r\nTraceToolPenWide=5\r\n[Trace]\r\nManyEveryPart=1\r\n";
    NcTextViewSettings s;
    s.Load(ini);
    EXPECT_EQ(s.OnoPen[1], 7);
    EXPECT_EQ(s.FontSize, 90);
    EXPECT_EQ(s.TraceToolPenWidth, 5);
    EXPECT_EQ(s.ManyEveryPart, 1);
    EXPECT_EQ(ReadColumnWidths(ini)[2], 400);
    WriteColumnWidth(ini, 1, 61);
    EXPECT_EQ(ReadColumnWidths(ini)[1], 61);
}
