// Machine files: defaults, write-back, working copy, text conversion pairs and round trips.
#include "nc/machine/CNcReadInfo.h"

#include <gtest/gtest.h>

#include "MachineTestSupport.h"
#include "nc/machine/CPunchTool.h"
#include "platform/Profile.h"

using machine_test::ConfigFixture;
using machine_test::Fixture;
using machine_test::ReadAll;
using machine_test::WriteAll;
namespace fs = std::filesystem;

namespace {

void ExpectDefaults(const CNcReadInfo& m) {
    const int colour[6][3] = {{255, 255, 255}, {255, 255, 255}, {0, 255, 255},
                              {0, 255, 255},   {0, 255, 255},   {0, 255, 255}};
    const int wide[6] = {1, 2, 2, 2, 2, 2};
    const int kind[6] = {1, 0, 0, 0, 0, 0};
    for (int c = 0; c < PenClassCount; ++c) {
        for (int k = 0; k < 3; ++k) EXPECT_EQ(m.Pen[c][k], colour[c][k]) << c << "/" << k;
        EXPECT_EQ(m.PenWide[c], wide[c]) << c;
        EXPECT_EQ(m.PenKind[c], kind[c]) << c;
    }
    const char letters[5] = {'O', 'O', 'P', 'D', 'H'};
    const char* opts[5] = {"M98", "M99", "M09", "M100", "G65"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(m.CodeLetter[i], letters[i]);
        EXPECT_EQ(m.Code[i][0], letters[i]);
        EXPECT_EQ(m.Code[i][1], '\0');
        EXPECT_EQ(m.Opt[i], opts[i]);
    }
    EXPECT_EQ(m.OptProgStop, "M00");
    EXPECT_EQ(m.AbsInc, 0);
    EXPECT_EQ(m.ArcAbsInc, 1);
    EXPECT_EQ(m.ZeroTimes, 1000);
    EXPECT_EQ(m.G92BaseInit.x, 0.0);
    EXPECT_EQ(m.G92BaseInit.y, 0.0);
    EXPECT_EQ(m.G92BaseInit.z, 50.0);
    EXPECT_EQ(m.PunchNcType, 0);
    EXPECT_EQ(m.HeadType, 1);
    EXPECT_EQ(m.LaserPunch, 0);
    EXPECT_TRUE(m.TextFrom.empty());
    EXPECT_TRUE(m.TextTo.empty());
    EXPECT_TRUE(m.TextEnable.empty());
    EXPECT_EQ(m.FrameDisp, 0);
    EXPECT_EQ(m.ClampSizeX, 100.0);
    EXPECT_EQ(m.ClampSizeY, 20.0);
    EXPECT_EQ(m.HolderCount, 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m.HolderR[i], 42.0);
        EXPECT_EQ(m.HolderY[i], 0.0);
    }
    EXPECT_EQ(m.HolderX[0], -200.0);
    EXPECT_EQ(m.HolderX[1], 200.0);
    EXPECT_EQ(m.HolderX[2], 0.0);
    EXPECT_EQ(m.SheetFrame, (std::array<double, 8>{1840, 1270, 0, 0, 400, 800, 0, 0}));
    EXPECT_EQ(m.SHL_OverMin, 0.05);
    EXPECT_EQ(m.In_AbsInc, 0);
    EXPECT_EQ(m.StartLineNo, -1);
    EXPECT_EQ(m.EndLineNo, -1);
    EXPECT_EQ(m.MacroProc, 0);
    EXPECT_EQ(m.G52Proc, 0);
    for (int i = 0; i < 7; ++i) {
        std::string letter(1, "XYZCAUB"[i]);
        EXPECT_EQ(m.Axis[i], letter);
        EXPECT_EQ(m.OffsetString[i], letter);
        EXPECT_EQ(m.Offset[i], 0.0);
        EXPECT_EQ(m.Permit[i], 0);
    }
    EXPECT_EQ(m.NcFigure, 3);
    EXPECT_EQ(m.ZeroSuppress, 1);
    EXPECT_EQ(m.IgnorePercent, 0);
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(m.Comment[i].empty());
        EXPECT_TRUE(m.String[i].empty());
    }
}

// Everything a machine file holds, as the text SaveTo writes for it.
std::string Saved(CNcReadInfo& m, const fs::path& file) {
    std::error_code ec;
    fs::remove(file, ec);
    EXPECT_EQ(m.SaveTo(file), 1);
    return ReadAll(file);
}

}  // namespace

TEST(CNcReadInfo, EmptyMachineFileGivesDefaultsAndWritesBackTwoKeys) {
    ConfigFixture f;
    fs::path work = f.dir.path() / "work.tmp";
    WriteAll(work, "[NcRead]\r\nZeroTimes=7\r\n");  // left from an earlier machine
    WriteAll(f.dir.path() / "MV_Machine.nmd", "");
    CNcReadInfo m(&f.ctx, work);
    m.FileName = "MV_Machine.nmd";
    EXPECT_EQ(m.LoadMachineFile(0), 1);
    ExpectDefaults(m);
    // The working copy was copied before the write-back, which goes to the named file.
    EXPECT_EQ(ReadAll(work), "");
    EXPECT_EQ(ReadAll(f.dir.path() / "MV_Machine.nmd"),
              "[NcRead]\r\nSHL_OverMin=0.050\r\nIn_AbsInc=0\r\n");
}

TEST(CNcReadInfo, ConstructedObjectHoldsTheSameDefaults) {
    ConfigFixture f;
    CNcReadInfo fresh;
    ExpectDefaults(fresh);
    WriteAll(f.dir.path() / "empty.nmd", "");
    CNcReadInfo loaded;
    loaded.LoadFrom(f.dir.path() / "empty.nmd");
    EXPECT_EQ(Saved(fresh, f.dir.path() / "a.nmd"), Saved(loaded, f.dir.path() / "b.nmd"));
}

TEST(CNcReadInfo, MissingMachineFileReadsAsDefaultsWithoutCreatingIt) {
    ConfigFixture f;
    fs::path work = f.dir.path() / "work.tmp";
    WriteAll(work, "[NcRead]\r\nZeroTimes=7\r\n");
    CNcReadInfo m(&f.ctx, work);
    m.LoadFrom(Fixture("full.nmd"));
    m.FileName = "Nowhere.nmd";
    EXPECT_EQ(m.LoadMachineFile(0), 0);
    ExpectDefaults(m);
    EXPECT_FALSE(fs::exists(f.dir.path() / "Nowhere.nmd"));
    // The working copy no longer shows the previous machine.
    EXPECT_EQ(ReadAll(work), "");
    EXPECT_EQ(m.FileName, "Nowhere.nmd");
}

TEST(CNcReadInfo, ReadsEveryKeyOfAFullFile) {
    CNcReadInfo m;
    EXPECT_EQ(m.LoadFrom(Fixture("full.nmd")), 1);
    for (int c = 0; c < PenClassCount; ++c)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(m.Pen[c][k], c * 3 + k + 1);
    EXPECT_EQ(m.PenKind, (std::array<int, 6>{2, 3, 4, 1, 2, 3}));
    EXPECT_EQ(m.PenWide, (std::array<int, 6>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(m.AbsInc, 1);
    EXPECT_EQ(m.ArcAbsInc, 0);
    EXPECT_EQ(m.ZeroTimes, 100);
    EXPECT_EQ(m.CodeLetter, (std::array<char, 5>{'N', 'Q', 'L', 'E', 'T'}));
    EXPECT_EQ(m.Opt, (std::array<std::string, 5>{"M198", "M199", "M10", "M102", "G66"}));
    EXPECT_EQ(m.OptProgStop, "M01");
    EXPECT_EQ(m.G92BaseInit.x, 10.5);
    EXPECT_EQ(m.G92BaseInit.y, -20.25);
    EXPECT_EQ(m.G92BaseInit.z, 75.0);
    EXPECT_EQ(m.LaserPunch, 2);
    EXPECT_EQ(m.PunchNcType, 1);
    EXPECT_EQ(m.HeadType, 2);
    EXPECT_EQ(m.TextFrom, (std::vector<std::string>{"G92", "M30"}));
    EXPECT_EQ(m.TextTo, (std::vector<std::string>{"G50", ""}));
    EXPECT_EQ(m.TextEnable, (std::vector<uint32_t>{1, 0}));
    EXPECT_EQ(m.FrameDisp, 1);
    EXPECT_EQ(m.SheetFrame, (std::array<double, 8>{2500, 1250, -10, 5, 300, 900, 1500, 0}));
    EXPECT_EQ(m.ClampSizeX, 120.0);
    EXPECT_EQ(m.HolderCount, 3);
    EXPECT_EQ(m.HolderR, (std::array<double, 3>{40, 41, 43}));
    EXPECT_EQ(m.HolderX, (std::array<double, 3>{-150, 150, 10}));
    EXPECT_EQ(m.HolderY, (std::array<double, 3>{1, 2, 3}));
    EXPECT_EQ(m.SHL_OverMin, 0.125);
    EXPECT_EQ(m.In_AbsInc, 1);
    EXPECT_EQ(m.StartLineNo, 5);
    EXPECT_EQ(m.EndLineNo, 50);
    EXPECT_EQ(m.MacroProc, 1);
    EXPECT_EQ(m.G52Proc, 2);
    EXPECT_EQ(m.Permit, (std::array<int, 7>{0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(m.Offset[3], 4.5);
    EXPECT_EQ(m.OffsetString[6], "S");
    EXPECT_EQ(m.Axis[0], "U");
    EXPECT_EQ(m.NcFigure, 4);
    EXPECT_EQ(m.ZeroSuppress, 0);
    EXPECT_EQ(m.IgnorePercent, 1);
    EXPECT_EQ(m.Comment[0], "Title 1");
    EXPECT_EQ(m.Comment[7], "\x92\xe8\x8c\x5e\x95\xb6\x82\x57");  // 定型文８ in Shift-JIS
    EXPECT_EQ(m.String[7], "G08 X1.0");
}

TEST(CNcReadInfo, FullFileRoundTripsAndKeepsOtherSections) {
    test::TempDir dir;
    CNcReadInfo a;
    a.LoadFrom(Fixture("full.nmd"));
    fs::path first = dir.path() / "first.nmd";
    fs::copy_file(Fixture("full.nmd"), first);
    ASSERT_EQ(a.SaveTo(first), 1);
    // Saving over the file it came from changes nothing that a load sees, keeps the sections
    // of other owners, and is stable.
    const std::string text = ReadAll(first);
    EXPECT_NE(text.find("[Punch]\r\nPossessedToolFileName=PCH_TOOL.DAT"), std::string::npos);
    EXPECT_NE(text.find("[ExtractSub]\r\nPrefix=O9"), std::string::npos);
    EXPECT_NE(text.find("OptProgStop=M01"), std::string::npos);
    CNcReadInfo b;
    b.LoadFrom(first);
    EXPECT_EQ(Saved(a, dir.path() / "a.nmd"), Saved(b, dir.path() / "b.nmd"));

    // A new file gets every key, in C notation with three decimals.
    const std::string fresh = ReadAll(dir.path() / "a.nmd");
    for (const char* line :
         {"[Version]\r\nVersion=1\r\n", "G92BaseInitY=-20.250\r\n", "FrameX=2500.000\r\n",
          "Offset003=4.500\r\n", "ZeroTimes=100\r\n", "CodeMainPro=N\r\n",
          "[TextConvert001]\r\nFrom=M30\r\nTo=\r\nEnable=0\r\n"})
        EXPECT_NE(fresh.find(line), std::string::npos) << line;
}

TEST(CNcReadInfo, RoundTripUnderDecimalCommaLocale) {
    machine_test::DecimalCommaLocale locale;
    if (!locale.active()) GTEST_SKIP() << "no decimal-comma locale installed";
    test::TempDir dir;
    WriteAll(dir.path() / "m.nmd", "[NcRead]\r\nFrameX=1234.5\r\nSHL_OverMin=0.0626\r\n");
    CNcReadInfo m;
    m.LoadFrom(dir.path() / "m.nmd");
    EXPECT_EQ(m.FrameX, 1234.5);
    EXPECT_EQ(m.SHL_OverMin, 0.0626);
    const std::string text = ReadAll(dir.path() / "m.nmd");
    EXPECT_NE(text.find("SHL_OverMin=0.063"), std::string::npos) << text;  // rounded, '.'
    m.SaveTo(dir.path() / "m.nmd");
    EXPECT_NE(ReadAll(dir.path() / "m.nmd").find("FrameX=1234.500"), std::string::npos);
}

TEST(CNcReadInfo, LenientValuesAndBufferLimits) {
    struct Case {
        const char* line;  // one [NcRead] line
        const char* what;
    } cases[] = {
        {"CodeMainPro=XY", "code"},      {"OptSubCall=M9876543210123456789", "opt"},
        {"HolderCount=3abc", "holder"},  {"FrameX=abc", "frame"},
        {"ZeroTimes=0", "zero"},         {"ZeroTimes=-5", "zero"},
        {"G92BaseInitX= 12.5mm", "g92"}, {"FrameDisp=", "disp"},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        WriteAll(dir.path() / "m.nmd", std::string("[NcRead]\r\n") + c.line + "\r\n");
        CNcReadInfo m;
        m.LoadFrom(dir.path() / "m.nmd");
        std::string what = c.what;
        if (what == "code") {
            EXPECT_EQ(m.CodeLetter[0], 'X');
            EXPECT_STREQ(m.Code[0].data(), "X");
        } else if (what == "opt") {
            EXPECT_EQ(m.Opt[0], "M98765432101234");
        } else if (what == "holder") {
            EXPECT_EQ(m.HolderCount, 3);
        } else if (what == "frame") {
            EXPECT_EQ(m.FrameX, 0.0);
            EXPECT_EQ(m.SheetFrame[0], 0.0);
        } else if (what == "zero") {
            EXPECT_EQ(m.ZeroTimes, 1000) << c.line;  // it divides every coordinate
        } else if (what == "g92") {
            EXPECT_EQ(m.G92BaseInit.x, 12.5);
        } else if (what == "disp") {
            EXPECT_EQ(m.FrameDisp, 0);
        }
    }
    // A phrase title is cut to 32 bytes, never inside a double-byte character.
    std::string title(31, 'a');
    title += "\x82\xa0";  // a Shift-JIS character across the limit
    WriteAll(dir.path() / "m.nmd", "[InsertStr]\r\nComment1=" + title + "\r\nCodeFor=\r\n");
    CNcReadInfo m;
    m.LoadFrom(dir.path() / "m.nmd");
    EXPECT_EQ(m.Comment[0], std::string(31, 'a'));
}

TEST(CNcReadInfo, ConversionPairsEndAtTheFirstGapOrEmptyFrom) {
    struct Case {
        const char* text;
        std::vector<std::string> from;
    } cases[] = {
        {"[TextConvert000]\r\nFrom=A\r\n[TextConvert001]\r\nFrom=B\r\n"
         "[TextConvert003]\r\nFrom=D\r\n",
         {"A", "B"}},
        {"[TextConvert000]\r\nFrom=A\r\n[TextConvert001]\r\nFrom=\r\nTo=x\r\n"
         "[TextConvert002]\r\nFrom=C\r\n",
         {"A"}},
        {"[TextConvert001]\r\nFrom=B\r\n", {}},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        WriteAll(dir.path() / "m.nmd", c.text);
        CNcReadInfo m;
        m.LoadFrom(dir.path() / "m.nmd");
        EXPECT_EQ(m.TextFrom, c.from) << c.text;
        EXPECT_EQ(m.TextTo.size(), c.from.size());
        EXPECT_EQ(m.TextEnable.size(), c.from.size());
    }
}

TEST(CNcReadInfo, SaveRemovesDeletedPairsSoTheyDoNotComeBack) {
    test::TempDir dir;
    fs::path file = dir.path() / "m.nmd";
    WriteAll(file,
             "[TextConvert000]\r\nFrom=A\r\nTo=a\r\nEnable=1\r\n"
             "[TextConvert001]\r\nFrom=B\r\nTo=b\r\nEnable=1\r\n"
             "[TextConvert002]\r\nFrom=C\r\nTo=c\r\nEnable=1\r\n"
             "[textconvert004]\r\nFrom=E\r\nTo=e\r\nEnable=1\r\n"
             "[TextConvertX]\r\nFrom=keep\r\n");
    CNcReadInfo m;
    m.LoadFrom(file);
    ASSERT_EQ(m.TextFrom.size(), 3u);
    m.TextFrom.erase(m.TextFrom.begin());
    m.TextTo.erase(m.TextTo.begin());
    m.TextEnable.erase(m.TextEnable.begin());
    ASSERT_EQ(m.SaveTo(file), 1);
    CNcReadInfo r;
    r.LoadFrom(file);
    EXPECT_EQ(r.TextFrom, (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(r.TextTo, (std::vector<std::string>{"b", "c"}));

    // Growing the list again does not run into the old section behind the gap.
    r.TextFrom.push_back("F");
    r.TextTo.push_back("f");
    r.TextEnable.push_back(0);
    r.TextFrom.push_back("G");
    r.TextTo.push_back("g");
    r.TextEnable.push_back(1);
    ASSERT_EQ(r.SaveTo(file), 1);
    CNcReadInfo g;
    g.LoadFrom(file);
    EXPECT_EQ(g.TextFrom, (std::vector<std::string>{"B", "C", "F", "G"}));
    EXPECT_EQ(g.TextEnable, (std::vector<uint32_t>{1, 1, 0, 1}));
    EXPECT_TRUE(platform::ProfileFile().Load(file));
    EXPECT_NE(ReadAll(file).find("[TextConvertX]"), std::string::npos);
}

TEST(CNcReadInfo, WorkingCopyIsAByteCopyAndReloadsEdits) {
    ConfigFixture f;
    fs::create_directory(f.dir.path() / "machines");
    fs::copy_file(Fixture("full.nmd"), f.dir.path() / "machines" / "Laser.NMD");
    fs::path work = f.dir.path() / "work.tmp";
    WriteAll(work, "");
    CNcReadInfo m(&f.ctx, work);
    m.FileName = "machines/Laser.NMD";  // relative to the configuration folder
    EXPECT_EQ(m.MachineFilePath(), f.dir.path() / "machines" / "Laser.NMD");
    EXPECT_EQ(m.LoadMachineFile(0), 1);
    EXPECT_EQ(ReadAll(work), ReadAll(Fixture("full.nmd")));
    EXPECT_EQ(m.ZeroTimes, 100);

    // The settings dialog writes into the working copy; loading it picks the edit up and
    // leaves the named file alone.
    platform::WriteProfileString("NcRead", "ZeroTimes", "10", work);
    EXPECT_EQ(m.LoadMachineFile(1), 1);
    EXPECT_EQ(m.ZeroTimes, 10);
    EXPECT_EQ(
        platform::GetProfileInt("NcRead", "ZeroTimes", 0, f.dir.path() / "machines" / "Laser.NMD"),
        100);

    // Saving the working copy and then the named file.
    m.HeadType = 5;
    EXPECT_EQ(m.SaveMachineFile(1), 1);
    EXPECT_EQ(platform::GetProfileInt("NcRead", "HeadType", 0, work), 5);
    EXPECT_EQ(m.SaveMachineFile(0), 1);
    EXPECT_EQ(
        platform::GetProfileInt("NcRead", "HeadType", 0, f.dir.path() / "machines" / "Laser.NMD"),
        5);
}

TEST(CNcReadInfo, WithoutWorkingCopyTheWorkingCopyCallsFail) {
    ConfigFixture f;
    CNcReadInfo m(&f.ctx);
    EXPECT_EQ(m.LoadMachineFile(1), 0);
    EXPECT_EQ(m.SaveMachineFile(1), 0);
    ExpectDefaults(m);
}

TEST(CNcReadInfo, SaveIntoMissingFolderFails) {
    test::TempDir dir;
    CNcReadInfo m;
    EXPECT_EQ(m.SaveTo(dir.path() / "no" / "such" / "m.nmd"), 0);
}

TEST(CNcReadInfo, DieFileNamesFollowTheMachineFile) {
    ConfigFixture f;
    CPunchTool dies(&f.ctx);
    f.ctx.PunchTool = &dies;
    fs::copy_file(Fixture("full.nmd"), f.dir.path() / "Laser.NMD");
    fs::path work = f.dir.path() / "work.tmp";
    CNcReadInfo m(&f.ctx, work);
    m.FileName = "Laser.NMD";
    m.LoadMachineFile(0);
    EXPECT_EQ(dies.PossessedToolFileName, "PCH_TOOL.DAT");
    EXPECT_EQ(dies.ArrangedToolFileName, "TURRET.ARR");

    // Saved into a new file, the [Punch] keys come from the die data.
    dies.ArrangedToolFileName = "OTHER.ARR";
    m.FileName = "Copy.NMD";
    EXPECT_EQ(m.SaveMachineFile(0), 1);
    EXPECT_EQ(
        platform::GetProfileString("Punch", "ArrangedToolFileName", "", f.dir.path() / "Copy.NMD"),
        "OTHER.ARR");
    EXPECT_EQ(
        platform::GetProfileString("Punch", "PossessedToolFileName", "", f.dir.path() / "Copy.NMD"),
        "PCH_TOOL.DAT");
    EXPECT_EQ(platform::GetProfileInt("NcRead", "ZeroTimes", 0, f.dir.path() / "Copy.NMD"), 100);

    // A machine file without [Punch] gives the die data its default names.
    WriteAll(f.dir.path() / "Bare.NMD", "[NcRead]\r\n");
    m.FileName = "Bare.NMD";
    m.LoadMachineFile(0);
    EXPECT_EQ(dies.PossessedToolFileName, "pch_tool.dat");
    EXPECT_EQ(dies.ArrangedToolFileName, "sample.arr");
}

TEST(CNcReadInfo, PairsWithoutFromTextAreNotSavedSoLaterPairsSurvive) {
    test::TempDir dir;
    CNcReadInfo m;
    m.TextFrom = {"A", "", "  ", "D"};
    m.TextTo = {"a", "b", "c", "d"};
    m.TextEnable = {1, 1, 0, 1};
    ASSERT_EQ(m.SaveTo(dir.path() / "m.nmd"), 1);
    CNcReadInfo r;
    r.LoadFrom(dir.path() / "m.nmd");
    EXPECT_EQ(r.TextFrom, (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(r.TextTo, (std::vector<std::string>{"a", "d"}));
}
