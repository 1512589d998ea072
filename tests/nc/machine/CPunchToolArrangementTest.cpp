// Turret arrangement file: every version, counts, tapping tools, look-ups, golden write.
#include <gtest/gtest.h>

#include "DieTestSupport.h"
#include "TempDir.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/DieMessages.h"

using dietest::Fixture;

namespace {

// A tool holding the dies of pch_v4.dat: 10 round, 3 square, 25 tapping, 7 special.
CPunchTool WithDies(const NcAppContext* ctx = nullptr) {
    CPunchTool tool(ctx);
    EXPECT_EQ(tool.ReadPossessedFile(Fixture("pch_v4.dat")), 0);
    return tool;
}

struct ReadCase {
    const char* file;
    int result;
    int lines;
    int stationCount;
    int unregistered;
    const char* turretName;
};

TEST(ArrangementFile, ReadsEveryVersionAndReportsErrors) {
    const ReadCase cases[] = {
        {"arr_v1.arr", 0, 11, 2, 0, ""},  // four header lines, no turret name
        {"arr_v2.arr", 0, 12, 2, 0, "T-30"},
        {"arr_v3.arr", 0, 12, 2, 0, "T-30"},
        {"arr_v4.arr", 0, 15, 5, 1, "T-30"},
        {"arr_v5.arr", 0, 12, 2, 0, "T-30"},
        {"arr_v4_tokens.arr", 0, 12, 2, 0, "T-30"},
        {"arr_count_short.arr", -5, 14, 4, 0, "N"},  // header 5, four stations
        {"arr_count_long.arr", -5, 16, 6, 1, "N"},   // header 5, six stations: all read
        {"arr_bad_range.arr", -3, 13, 2, 0, "N"},    // range "K" in the third station
        {"arr_bad_header.arr", -3, 5, 0, 0, ""},     // a header line without "*"
        {"arr_short_header.arr", -2, 5, 0, 0, ""},
        {"arr_bad_count.arr", -3, 4, 0, 0, ""},
        {"arr_no_title.arr", -3, 1, 0, 0, ""},
        {"empty.arr", -2, 0, 0, 0, ""},
        {"missing.arr", -1, 0, 0, 0, ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.file);
        CPunchTool tool = WithDies();
        int lines = -1, unknown = -1;
        EXPECT_EQ(tool.ReadArrangementFile(Fixture(c.file), &lines, &unknown), c.result);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(unknown, c.unregistered);
        EXPECT_EQ(tool.Arrangement.StationCount, c.stationCount);
        EXPECT_EQ(tool.Arrangement.TurretName, c.turretName);
        EXPECT_EQ(tool.Arrangement.Stations[c.stationCount], StationRecord{});
    }
}

TEST(ArrangementFile, FieldsOfEachVersion) {
    CPunchTool tool = WithDies();
    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v1.arr")), 0);
    EXPECT_DOUBLE_EQ(tool.Header.ArrangementVersion, 1.0);
    EXPECT_EQ(tool.Arrangement.FormFile, "FORM1");
    EXPECT_EQ(tool.Arrangement.AutoIndexCount, 1);
    const StationRecord& s = tool.Arrangement.Stations[1];
    EXPECT_EQ(s.Index, 1);
    EXPECT_EQ(s.StationNo, 2);
    EXPECT_EQ(s.Range, 2);
    EXPECT_EQ(s.AutoIndex, 1);
    EXPECT_EQ(s.KeyBits, (1 << 1) | (1 << 23));
    EXPECT_DOUBLE_EQ(s.PosY, -50.5);
    EXPECT_EQ(s.Die.Number, 3);
    EXPECT_EQ(s.Die.Shape, 2);
    EXPECT_EQ(s.Die.Placed, 1);

    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v2.arr")), 0);
    EXPECT_EQ(tool.Arrangement.Stations[0].AcFlag, 1);
    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v3.arr")), 0);
    EXPECT_DOUBLE_EQ(tool.Arrangement.Stations[1].DangerWidth, 5.5);
    EXPECT_DOUBLE_EQ(tool.Arrangement.Stations[1].DangerHeight, 6.5);

    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v4.arr")), 0);
    const auto& st = tool.Arrangement.Stations;
    EXPECT_EQ(st[2].StartCode, "M100");
    EXPECT_EQ(st[2].EndCode, "M101");
    EXPECT_EQ(st[3].Die.Number, -1);    // TNO 0: empty
    EXPECT_EQ(st[4].Die.Number, -1);    // TNO 99: not possessed
    EXPECT_EQ(st[4].StartCode, "");     // an empty start code stays empty ...
    EXPECT_EQ(st[4].EndCode, "M5 T5");  // ... and a code keeps its blank

    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v5.arr")), 0);
    EXPECT_EQ(st[0].Range, 1);  // the extra integer after TNO is skipped
    EXPECT_EQ(st[0].StartCode, "S1");
    EXPECT_EQ(st[1].StartCode, "");
    EXPECT_EQ(st[1].EndCode, "E2");

    // Lines with fewer commas are read as tokens, empty fields skipped.
    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v4_tokens.arr")), 0);
    EXPECT_EQ(st[0].StartCode, "M1");
    EXPECT_EQ(st[0].EndCode, "");
    EXPECT_EQ(st[1].StartCode, "M2");
    EXPECT_EQ(st[1].EndCode, "M3");
}

TEST(ArrangementFile, CompleteReadSortsShapeFirstAndMarksPlacedDies) {
    CPunchTool tool = WithDies();
    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v4.arr")), 0);
    const int byShape[] = {10, 3, 7, 25};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tool.Dies[i].Number, byShape[i]);
    EXPECT_EQ(tool.FindDieIndex(25), 3);
    EXPECT_EQ(tool.Dies[tool.FindDieIndex(10)].Placed, 1);
    EXPECT_EQ(tool.Dies[tool.FindDieIndex(7)].Placed, 0);
    ASSERT_EQ(tool.TapCount, 1);
    EXPECT_EQ(tool.TapTools[0].DieNumber, 25);
    EXPECT_EQ(tool.TapTools[0].StartCode, "M100");
    EXPECT_EQ(tool.TapTools[0].EndCode, "M101");

    // After a count error the table stays in number order and no tools are collected.
    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_count_long.arr")), -5);
    EXPECT_EQ(tool.Dies[0].Number, 3);
}

TEST(ArrangementFile, StationCountNeverExceedsTheTable) {
    test::TempDir dir;
    std::string text = "TITLE\r\n*4.0\r\n*150\r\n*0\r\n*F\r\n*N\r\n";
    for (int i = 1; i <= 120; ++i)
        text += std::to_string(i) + "," + std::to_string(i) +
                ",0,A,0,000000000000000000000000,1.0,2.0,0,0.0,0.0,,\r\n";
    dietest::WriteBytes(dir.path() / "big.arr", text);
    CPunchTool tool = WithDies();
    EXPECT_EQ(tool.ReadArrangementFile(dir.path() / "big.arr"), -5);
    EXPECT_EQ(tool.Arrangement.StationCount, kMaxStations);
    EXPECT_EQ(tool.GetDieOfStation(100), -1);
    EXPECT_EQ(tool.GetDieOfStation(101), -1);
    tool.Arrangement.StationCount = 150;  // as a careless caller might leave it
    ASSERT_EQ(tool.WriteArrangementFile(dir.path() / "out.arr"), 0);
    CPunchTool back = WithDies();
    EXPECT_EQ(back.ReadArrangementFile(dir.path() / "out.arr"), 0);
    EXPECT_EQ(back.Arrangement.StationCount, kMaxStations);
}

TEST(ArrangementFile, TappingToolsNeedStationZeroBothCodesAndATappingDie) {
    test::TempDir dir;
    CPunchTool tool = WithDies();
    const DieRecord tap = *tool.FindDie(25);
    const DieRecord round = *tool.FindDie(10);
    TurretArrangement& a = tool.Arrangement;
    a.StationCount = 12;
    for (int i = 0; i < 12; ++i) {
        StationRecord& s = a.Stations[i];
        s.Range = 1;
        s.Die = tap;
        s.StartCode = "M1" + std::to_string(i);
        s.EndCode = "M2" + std::to_string(i);
    }
    a.Stations[0].StationNo = 3;  // selected by a tool number: no tapping station
    a.Stations[1].Die = round;    // not a tapping die
    a.Stations[2].EndCode = "";   // one code only
    ASSERT_EQ(tool.WriteArrangementFile(dir.path() / "tap.arr"), 0);
    CPunchTool back = WithDies();
    ASSERT_EQ(back.ReadArrangementFile(dir.path() / "tap.arr"), 0);
    ASSERT_EQ(back.TapCount, kMaxTapTools);  // stations 3..10; the ninth candidate is ignored
    EXPECT_EQ(back.TapTools[0].StartCode, "M13");
    EXPECT_EQ(back.TapTools[7].EndCode, "M210");
    EXPECT_EQ(back.TapTools[7].DieNumber, 25);
}

TEST(ArrangementFile, LookUpsByStation) {
    CPunchTool tool = WithDies();
    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v4.arr")), 0);
    EXPECT_EQ(tool.GetDieOfStation(2), 3);
    EXPECT_EQ(tool.GetDieOfStation(4), -1);      // empty
    EXPECT_EQ(tool.GetDieOfStation(9), -1);      // none
    tool.Arrangement.Stations[1].StationNo = 1;  // two stations share number 1
    double w = -7, h = -8;
    EXPECT_EQ(tool.GetStationDangerZone(1, &w, &h), 10);
    EXPECT_DOUBLE_EQ(w, 10.0);
    EXPECT_DOUBLE_EQ(h, 20.0);
    w = -7;
    h = -8;
    EXPECT_EQ(tool.GetStationDangerZone(9, &w, &h), -1);
    EXPECT_EQ(w, -7);
    EXPECT_EQ(h, -8);
}

TEST(ArrangementFile, WriteMatchesGoldenFile) {
    test::TempDir dir;
    CPunchTool tool = WithDies();
    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v4.arr")), 0);
    ASSERT_EQ(tool.WriteArrangementFile(dir.path() / "out.arr"), 0);
    EXPECT_EQ(dietest::ReadBytes(dir.path() / "out.arr"),
              dietest::ReadBytes(Fixture("golden_arr_v4.arr")));
}

TEST(ArrangementFile, WhatIsWrittenReadsBackTheSame) {
    test::TempDir dir;
    CPunchTool tool = WithDies();
    ASSERT_EQ(tool.ReadArrangementFile(Fixture("arr_v4.arr")), 0);
    TurretArrangement& a = tool.Arrangement;
    a.FormFile = "";
    a.TurretName = "";
    a.Stations[0].StartCode = "";
    a.Stations[0].EndCode = "M8";
    a.Stations[1].StartCode = "G04 P10";
    a.Stations[1].EndCode = "";
    a.Stations[2].KeyBits = 0xFFFFFF;
    a.Stations[3].PosX = -1234.5;
    ASSERT_EQ(tool.WriteArrangementFile(dir.path() / "rt.arr"), 0);

    CPunchTool back = WithDies();
    ASSERT_EQ(back.ReadArrangementFile(dir.path() / "rt.arr"), 0);
    EXPECT_EQ(back.Arrangement, tool.Arrangement);
}

TEST(ArrangementFile, ReadWriteShowsItsMessages) {
    test::TempDir dir;
    dietest::Context ctx(dir.path());
    std::filesystem::copy_file(Fixture("arr_count_short.arr"), dir.path() / "short.arr");
    std::filesystem::copy_file(Fixture("arr_v4.arr"), dir.path() / "v4.arr");
    CPunchTool tool = WithDies(&ctx.app);

    tool.ArrangedToolFileName = "";
    EXPECT_EQ(tool.ReadWriteArrangement(1), -1);
    EXPECT_TRUE(ctx.prompt.asked.empty());

    tool.ArrangedToolFileName = "short.arr";
    EXPECT_EQ(tool.ReadWriteArrangement(1), -5);
    ASSERT_EQ(ctx.prompt.asked.size(), 1u);
    EXPECT_EQ(
        ctx.prompt.asked[0].text,
        diemsg::FileErrorText(diemsg::kArrangementCount, (dir.path() / "short.arr").string(), 14));

    // The unregistered die is reported once, after the read, which still succeeds.
    tool.ArrangedToolFileName = (dir.path() / "v4.arr").string();
    EXPECT_EQ(tool.ReadWriteArrangement(1), 0);
    ASSERT_EQ(ctx.prompt.asked.size(), 2u);
    EXPECT_EQ(ctx.prompt.asked[1].text, diemsg::Fill(diemsg::Text(diemsg::kUnregisteredDies),
                                                     {"1", (dir.path() / "v4.arr").string()}));
    EXPECT_EQ(ctx.prompt.asked[1].icon, platform::PromptIcon::Error);

    tool.ArrangedToolFileName = "nofolder/x.arr";
    EXPECT_EQ(tool.ReadWriteArrangement(2), -1);
    ASSERT_EQ(ctx.prompt.asked.size(), 3u);
    EXPECT_EQ(ctx.prompt.asked[2].text,
              diemsg::FileErrorText(diemsg::kArrangementOpen,
                                    (dir.path() / "nofolder/x.arr").string(), 0));
}

TEST(DieFileNames, LoadAndSaveThroughTheMachineFile) {
    test::TempDir dir;
    dietest::Context ctx(dir.path(), "/home/u/.local/share");
    const auto machine = dir.path() / "m.nmd";
    std::filesystem::copy_file(Fixture("machine.nmd"), machine);
    CPunchTool tool(&ctx.app);
    EXPECT_EQ(tool.LoadFileNames(machine), 1);
    EXPECT_EQ(tool.PossessedToolFileName, "dies.dat");
    EXPECT_EQ(tool.ArrangedToolFileName, "/home/u/.local/share/Morvalen/turret.arr");
    EXPECT_EQ(tool.PossessedPath(), dir.path() / "dies.dat");
    EXPECT_EQ(tool.ArrangementPath(), "/home/u/.local/share/Morvalen/turret.arr");

    tool.PossessedToolFileName = "/home/u/.local/share/Morvalen/new.dat";
    EXPECT_EQ(tool.SaveFileNames(machine), 1);
    const std::string saved = dietest::ReadBytes(machine);
    EXPECT_NE(saved.find("PossessedToolFileName=<LOCAL_APP_NAME>/Morvalen/new.dat"),
              std::string::npos);
    EXPECT_NE(saved.find("ArrangedToolFileName=<LOCAL_APP_NAME>/Morvalen/turret.arr"),
              std::string::npos);
    EXPECT_NE(saved.find("LaserPunch=1"), std::string::npos);  // other keys stay

    // Defaults when the machine file names nothing.
    EXPECT_EQ(tool.LoadFileNames(dir.path() / "none.nmd"), 1);
    EXPECT_EQ(tool.PossessedToolFileName, "pch_tool.dat");
    EXPECT_EQ(tool.ArrangedToolFileName, "sample.arr");
}

}  // namespace
