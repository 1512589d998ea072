// Tests of the program format converters: point lists, plotter commands, type-5 programs,
// the job language and main programs, and how the set-up picks them.
#include <gtest/gtest.h>

#include "ConvertTestSupport.h"

namespace {

using convert_test::Case;
using convert_test::Check;
using convert_test::Given;
using convert_test::Harness;

void CheckAll(const std::vector<Case>& cases, void (CNcRead::*convert)()) {
    for (const Case& c : cases) Check(c, convert);
}

TEST(FormatConvertersTest, PointList) {
    const Given points{.NcType = 3};
    CheckAll({{"points",
               points,
               {"10.5,20,3", "10,20", "(comment", "  1,2,3,4", "a,b,c", "#1,2,3", "/1,2,3",
                "-1.5, 2e1 ,0", ""},
               {"G01X10.500Y20.000Z3.000", "10,20", "(comment", "G01X1.000Y2.000Z3.000", "a,b,c",
                "#1,2,3", "/1,2,3", "G01X-1.500Y20.000Z0.000", ""}},
              // A field that is no number leaves the line: it never takes a stale value.
              {"unreadable field", points, {"1,2,3", "4,x,6"}, {"G01X1.000Y2.000Z3.000", "4,x,6"}}},
             &CNcRead::ConvertPointList);
}

TEST(FormatConvertersTest, Plotter) {
    const Given plotter{.NcType = 4};
    const Given unit{.NcType = 4, .ZeroTimes = 1};
    CheckAll(
        {
            {"pen moves",
             plotter,
             {"IN;", "PU1000,2000;", "PU;", "PD3000,2000;", "PA0,0;", "PR10,10;", "OA;", "OS;",
              "OZ;", "SP1;"},
             {"IN;", "G00X1.000Y2.000Z0.", "G00", "G01X3.000Y2.000Z0.", "G90X0.000Y0.000Z0.",
              "G91X0.010Y0.010Z0.", "replace", "replace", "replace", "SP1;"}},
            {"arcs",
             unit,
             {"PU10,0;", "AA0,0,90;", "PU0,10;", "AA0,0,-90;", "AA1,2;"},
             {"G00X10.000Y0.000Z0.", "G03X0.000Y10.000I-10.000J0.000", "G00X0.000Y10.000Z0.",
              "G02X10.000Y0.000I0.000J-10.000", "AA1,2;"}},
            {"circle",
             unit,
             {"PU0,0;", "CI5;"},
             {"G00X0.000Y0.000Z0.", "G00X5.000Y0.000Z0.", "G03X5.000Y0.000I-5.000J0.000",
              "G00X0.000Y0.000Z0."},
             {0, 1, 1, 1}},
            {"circle around the current point, scaled",
             plotter,
             {"PU1000,2000;", "CI500;", "PD0,0;", "CI;"},
             {"G00X1.000Y2.000Z0.", "G00X1.500Y2.000Z0.", "G03X1.500Y2.000I-0.500J0.000",
              "G00X1.000Y2.000Z0.", "G01X0.000Y0.000Z0.", "CI;"},
             {0, 1, 1, 1, 2, 3}},
            {"trace start before the first XX160",
             plotter,
             {"IN;", "XX160,1000,2000,0;", "PD2000,2000;", "XX160,0,0,0;", "XX160,1;"},
             {"O0001(Trace start point)", "G00X1.000Y2.000Z0.", "G01X2.000Y2.000Z0.",
              "G00X0.000Y0.000Z0.", "XX160,1;"}},
            {"XX160 on the first line",
             plotter,
             {"XX160,1000,2000,0;", "PU;"},
             {"G00X1.000Y2.000Z0.", "G00"}},
        },
        &CNcRead::ConvertPlotter);
}

TEST(FormatConvertersTest, Type5) {
    const Given type5{.NcType = 5};
    CheckAll(
        {
            {"G52 completion",
             type5,
             {"G52X10.", "Y5."},
             {"G52X10.Y0.0000C0.000L0", "Y5.G52X10.0000C0.000L0"}},
            {"program marks and codes",
             type5,
             {"G29", "G28L7", "G52X1.Y2.C3.", "M02", "  Y4.", "G01X5.", " G98 X1", "G99"},
             {"O0", "O7", "G52X1.Y2.C3.L7", "M02", "Y4.G52X1.0000C3.000L7", "G01X5.", "G98 X1",
              "M30"}},
            // 0x83 0x58 is one character whose second byte is the code of 'X'.
            {"double-byte characters hold no words",
             type5,
             {"G52X10.", "\x83\x58Y5."},
             {"G52X10.Y0.0000C0.000L0", "\x83\x58Y5.G52X10.0000C0.000L0"}},
            {"L word of G52 numbers the next program",
             type5,
             {"G52X1.L3", "G28"},
             {"G52X1.L3Y0.0000C0.000", "O3"}},
        },
        &CNcRead::ConvertType5);
}

TEST(FormatConvertersTest, JobLanguage) {
    const Given job{.NcType = 1};
    CheckAll(
        {
            {"statements",
             job,
             {"JOB 1", "OriginSft Parallel X100. Y50. Z10.", "Move X10. Y20. Z5.", "Laser On",
              "SMove X1. Y2.(4)", "LaserStop", "PMove X3.", "CMove2 X1.", "CMove3 X1.", "CMove X1.",
              "  Approach X2. (comment)", "End"},
             {"O1", "G92X90.000 Y30.000 Z5.000", "Move X10. Y20. Z5.", "Laser On", "G01 X1. Y2.",
              "LaserStop", "G00 X3.", "G11 X1.", "G11.1 X1.", "CG00 X1.", "G00 X2. ", "M30"}},
            {"shapes after a pattern",
             job,
             {"Pattern X10. Y20. Z0.", "Square W10. D5. R2. X1. Y2. Z3.", "Track W4. D3.",
              "Circle D10. X0 Y0 Z0", "Square W1.(5)", "Circle D2. X1. Y2. Z3."},
             {"G00 X10. Y20. Z0.", "G08.4 P2 U10.0 V5.0 R2.0",
              "G08.1 X11.000 Y22.000 Z3.000 C0.000 A0.000", "G08.4 P3 U4.0 V3.0",
              "G08.1 X10.000 Y20.000 Z0.000 C0.000 A0.000", "G08 D10.0 X0.000 Y0.010 Z0.000",
              "Square W1.", "G08 D2.0 X1.000 Y2.000 Z3.000"},
             {0, 1, 1, 2, 2, 3, 4, 5}},
            {"head angles of the position",
             job,
             {"Move X1. C45. A30.", "Pattern X2.", "Square W1. D1. R1."},
             {"G00 X1. C45. A30.", "G00 X2.", "G08.4 P2 U1.0 V1.0 R1.0",
              "G08.1 X2.000 Y0.000 Z0.000 C45.000 A30.000"},
             {0, 1, 2, 2}},
            {"long line stays whole",
             job,
             {"SMove X1." + std::string(600, ' ') + "Y2."},
             {"G00 X1." + std::string(600, ' ') + "Y2."}},
        },
        &CNcRead::ConvertJob);
}

// An origin shift on the last line has nothing to measure from: it stays and is reported,
// and nothing past the lines is read.
TEST(FormatConvertersTest, JobOriginShiftOnTheLastLineStaysWithAFault) {
    Harness h({.NcType = 1});
    const CNcRead& r = h.Run({"Move X1.", "OriginSft Parallel X1."}, &CNcRead::ConvertJob);
    EXPECT_EQ(r.Lines, (std::vector<std::string>{"G00 X1.", "OriginSft Parallel X1."}));
    EXPECT_EQ(r.LineMap, (std::vector<int>{0, 1}));
    ASSERT_EQ(r.ConvertFaults.size(), 1u);
    EXPECT_EQ(r.ConvertFaults[0].Kind, NcConvertFaultKind::OriginShiftWithoutNextLine);
    EXPECT_EQ(r.ConvertFaults[0].LineNo, 1);
}

TEST(FormatConvertersTest, MainProgram) {
    const std::string name = "\x95\x94\x95\x69";  // CP932 of the UTF-8 name below
    CheckAll(
        {
            {"calls by base name",
             {.NcType = 1, .NcFileName = "/work/nc/ABC.MPF"},
             {"  ;MAIN", "ABC12", "(*5", "  G01X1.", "XABC1", "ABC1 ABC2",
              "ABC3" + std::string(600, ' ')},
             {"O0", "M98P12", "O5", "G01X1.", "XABC1", "M98P1 M98P2",
              "M98P3" + std::string(600, ' ')}},
            {"Windows folders are cut off",
             {.NcType = 1, .NcFileName = "C:\\NC\\ABC.mpf"},
             {"ABC7"},
             {"M98P7"}},
            {"name in the program's code page",
             {.NcType = 1, .NcFileName = "/work/nc/\xE9\x83\xA8\xE5\x93\x81.MPF"},
             {name + "7"},
             {"M98P7"}},
            {"no base name",
             {.NcType = 1, .NcFileName = "/work/nc/.MPF"},
             {"ABC1", "(*5"},
             {"ABC1", "O5"}},
        },
        &CNcRead::ConvertMainProgram);
}

// The set-up picks one converter by NC type and program form.
TEST(FormatConvertersTest, SetProgramPicksTheConverter) {
    NcAppContext app;
    CNcReadInfo settings;
    CNcRead reader(&app);
    struct Pick {
        const char* Name;
        int LaserPunch;
        const char* File;
        std::vector<std::string> In, Out;
    };
    const Pick picks[] = {
        {"point list", 3, "", {"1,2,3"}, {"G01X1.000Y2.000Z3.000"}},
        {"plotter", 4, "", {"PU1000,0;"}, {"G00X1.000Y0.000Z0."}},
        {"type 5 by its tag",
         0,
         "",
         {"<NcpProgram Version=\"1.0\">", "G52X10."},
         {"<NcpProgram Version=\"1.0\">", "G52X10.Y0.0000C0.000L0"}},
        {"job", 0, "", {"JOB", "SMove X1."}, {"O1", "G00 X1."}},
        {"main program", 1, "/nc/ABC.MPF", {";MAIN", " ABC1"}, {"O0", "M98P1"}},
        {"laser program stays", 1, "", {" G01X1."}, {" G01X1."}},
    };
    for (const Pick& p : picks) {
        SCOPED_TRACE(p.Name);
        settings.LaserPunch = p.LaserPunch;
        app.NcFileName = p.File;
        reader.SetProgram(p.In, &settings, nullptr, 1);
        EXPECT_EQ(reader.Lines, p.Out);
    }
}

}  // namespace
