// Tests of the punch dialect normaliser: number style, Nisshinbo grid repetitions, sequence
// numbers, slash statements, Nisshinbo codes, pattern macros and the program stop.
#include <gtest/gtest.h>

#include "ConvertTestSupport.h"

namespace {

using convert_test::Case;
using convert_test::Check;
using convert_test::Given;
using convert_test::Harness;

const Given kAmada{};
const Given kLaser{.NcType = 1};
const Given kMurata{.PunchNcType = 1};
const Given kNisshinbo{.PunchNcType = 2};

void CheckAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) Check(c, &CNcRead::NormalizePunchDialect);
}

TEST(PunchDialectTest, NumberStyleIsDecimalOnlyWhenDecimalXNumbersOutnumberTheOthers) {
    const std::string ptp = "PTP/ R 30. 40. 5 2";  // length 50, angle 53.13 degrees
    CheckAll({
        {"no X word", kAmada, {ptp}, {"G66I50J53P-5Q-2"}},
        {"tie", kAmada, {"G00X10.", "G00X10", ptp}, {"G00X10.", "G00X10", "G66I50J53P-5Q-2"}},
        {"minus sign counts as integer",
         kAmada,
         {"G00X-5.", "G00X-6.", "G00X1.", ptp},
         {"G00X-5.", "G00X-6.", "G00X1.", "G66I50J53P-5Q-2"}},
        {"decimal majority, blanks skipped",
         kAmada,
         {"G00X5.", "G00X 6.", ptp},
         {"G00X5.", "G00X 6.", "G66I50.000J53.130P-5Q-2"}},
    });
}

TEST(PunchDialectTest, SequenceNumbersGoOnlyInTheNormalProcessMode) {
    // An N without digits is no sequence number (the statement "NBL/" keeps its N).
    const std::vector<std::string> in = {"N10G01X5.", "N10", "N10X", "N20 G00", "NX5."};
    CheckAll({
        {"normal mode", kAmada, in, {"G01X5.", "N10", "N10X", "G00", "NX5."}},
        {"other mode", {.ProcessMode = 1}, in, in},
    });
}

TEST(PunchDialectTest, StopAndEndCodesOfPunchPrograms) {
    CheckAll({
        {"M03 gets G70 in front", kAmada, {"G00X1.M03", "M30"}, {"G70G00X1.M03", "M30"}},
        {"Murata: the first M30 becomes G70",
         kMurata,
         {"G00M30M30", "M03"},
         {"G00G70M30", "G70M03"}},
        {"laser programs keep M03", kLaser, {"G00X1.M03"}, {"G00X1.M03"}},
        {"a refused statement keeps its text as read",
         kMurata,
         {"GRD/ R 20. 3 M30", "GRD/ R 20. 3 M03"},
         {"GRD/ R 20. 3 M30", "GRD/ R 20. 3 M03"}},
    });
}

TEST(PunchDialectTest, SlashStatements) {
    CheckAll({
        {"MOV FRM",
         kAmada,
         {"MOV/X10.Y20.", "FRM/X1000.Y1250."},
         {"G72X10.Y20.", "G92X1000.Y1250."}},
        {"LAA",
         kAmada,
         {"LAA/ 30. 45. 5 T12 C3", "LAA/ 30. 45."},
         {"G28I30.J45.K5T12C3", "LAA/ 30. 45."}},
        {"GRD",
         kAmada,
         {"GRD/ R 20. 3 D 10. 2 T5", "GRD/ L 20. 3 U 10. 2", "GRD/ U 10. 2 L 20. 3",
          "GRD/ D 10. 2 R 20. 3", "GRD/ X 10. 2 R 20. 3", "GRD/ L -20. 3 U 10. 2",
          "GRD/ R 20. 3 D 10."},
         {"G36I20.J-10.P3K2T5", "G36I-20.J10.P3K2", "G37I-20.J10.P3K2", "G37I20.J-10.P3K2",
          "GRD/ X 10. 2 R 20. 3", "G36I20.J10.P3K2", "GRD/ R 20. 3 D 10."}},
        {"CAA",
         kAmada,
         {"CAA/ R 10. 20. 30. 40.", "CAA/ L 10. 20. 30. 40. T3", "CAA/ R 10. 20."},
         {"G69I10.J30.P-20.Q40.", "G69I10.J30.P20.Q40.T3", "CAA/ R 10. 20."}},
        {"REC",
         kAmada,
         {"REC/ R 10. 20. 99 30.", "REC/ U 10. 20. 99 30.", "REC/ L 10. 20. 99 30.",
          "REC/ D 10. 20. 99 30.", "REC/ Q 10. 20. 99 30.", "REC/ R 10. 20. 30."},
         {"G66I10.J0.P20.Q30.", "G66I10.J90.P-20.Q-30.", "G66I10.J180.P-20.Q-30.",
          "G66I10.J-90.P20.Q30.", "REC/ Q 10. 20. 99 30.", "REC/ R 10. 20. 30."}},
        {"OBL OPN",
         kAmada,
         {"OBL/ 1 2 3", "OPN/ 1 2 3", "OPN/"},
         {"OBL/ 1 2 3", "OPN/ 1 2 3", "OPN/"}},
        {"SAA",
         kAmada,
         {"SAA/ R 10. 20. 5 3", "SAA/ L 10. 20. 5 3 C2"},
         {"G66I10.J20.P-5Q-3", "G66I10.J20.P5Q3C2"}},
        {"PTP from the last MOV position",
         kAmada,
         {"MOV/X10.Y20.", "PTP/ L 40. 60. 5. 3"},
         {"G72X10.Y20.", "G66I50.000J53.130P5.Q3"}},
        {"RAD",
         kAmada,
         {"RAD/ I 50. 10. 30. 45. 4", "RAD/ O 50. 10. 30. 45. 4", "RAD/ I 50. 10. 30. 45."},
         {"G68I50.J30.K45.P-10.Q4", "G68I50.J30.K45.P10.Q4", "RAD/ I 50. 10. 30. 45."}},
        {"HOL halves the diameter with three decimals in both styles",
         kAmada,
         {"HOL/ 25. 8 2", "HOL/ 25. 8"},
         {"G68I12.500J90.K360.P8Q2", "HOL/ 25. 8"}},
        {"ARC BHC",
         kAmada,
         {"ARC/ 10. 20. 30. 5", "ARC/ 10. 20. 30.", "BHC/ 50. 0. 6 T1"},
         {"G29I10.J20.P30.K5", "ARC/ 10. 20. 30.", "G26I50.J0.K6T1"}},
        {"REP PAT END in a laser program",
         kLaser,
         {"REP/ X100.", "PAT1", "END1"},
         {"G25X100.", "U1", "V1"}},
        {"NBL MAT DWL", kAmada, {"NBL/", "MAT/ SPCC 1.6", "DWL/ 2"}, {"", "", ""}},
        {"PDR turns bare coordinates into feeds up to a G line",
         kAmada,
         {"PDR/X10.", "X20.", "CIR/ 5", "Y5.", "F100", "G00X0.", "X30."},
         {"G70X10.", "G01X20.", "CIR/ 5", "G01Y5.", "G01F100", "G00X0.", "X30."}},
        {"LAL up to PED",
         kAmada,
         {"LAL/X1.", "X2.", "PED/X3.", "X4."},
         {"G70X1.", "G01X2.", "G70X3.", "G00", "X4."},
         {0, 1, 2, 2, 3}},
        {"PED LED insert their follower",
         kAmada,
         {"PED/X1.", "LED/X2."},
         {"G70X1.", "G00", "G00X2.", "G70"},
         {0, 0, 1, 1}},
        {"MGR corner codes",
         kAmada,
         {"MGR/5 U 10. 2 R 20. 3", "MGR/5 D 10. 2 L 20. 3", "MGR/5 D 10. 2 R 20. 3",
          "MGR/5 R 1. 1 U 1. 1", "MGR/5 L 1. 1 U 1. 1", "MGR/5 L 1. 1 D 1. 1", "MGR/5 R 1. 1",
          "MGR/1", "MGR/1 L 20.", "MGR/1 X 20. 3"},
         {"G76W5Q1", "G76W5Q4", "G76W5Q3", "G75W5Q1", "G75W5Q2", "G75W5Q4", "G75W5Q3", "MGR/1",
          "MGR/1 L 20.", "MGR/1 X 20. 3"}},
    });
}

TEST(PunchDialectTest, GridOriginTakesTheNextGridDefinition) {
    CheckAll({
        {"left and down move the origin",
         kAmada,
         {"OFS/X100.Y50.", "MGR/1 L 20. 3 D 10. 2"},
         {"G98X40.000Y30.000I20.J10.P3K2", "G75W1Q4"}},
        {"zero origin", kAmada, {"OFS/X0Y0"}, {"G98X0Y0I0J0P0K0"}},
        {"Y pair first is exchanged",
         kAmada,
         {"OFS/X100.Y50.", "MGR/2 U 10. 2 L 20. 3"},
         {"G98X40.000Y50.000I20.J10.P3K2", "G76W2Q2"}},
        {"three fields",
         kAmada,
         {"OFS/X100.Y50.", "MGR/3 R 15. 4"},
         {"G98X100.Y50.I15.J0.0P4K0", "G75W3Q3"}},
        {"the next OFS ends the search",
         kAmada,
         {"OFS/X10.Y10.", "OFS/X0Y0", "MGR/1 L 5. 2"},
         {"G98X10.Y10.I0J0P0K0", "G98X0Y0I0J0P0K0", "G75W1Q4"}},
        {"no grid", kAmada, {"OFS/X10.Y10."}, {"G98X10.Y10.I0J0P0K0"}},
        {"Y missing", kAmada, {"OFS/X10."}, {"OFS/X10."}},
        {"no X direction",
         kAmada,
         {"OFS/X10.Y10.", "MGR/1 U 5. 2 D 4. 3"},
         {"G98X10.Y10.", "G76W1Q2"}},
        {"unreadable grid lines are passed over",
         kAmada,
         {"OFS/X100.Y50.", "MGR/9", "MGR/1 L 20. 3 D 10. 2"},
         {"G98X40.000Y30.000I20.J10.P3K2", "MGR/9", "G75W1Q4"}},
    });
}

TEST(PunchDialectTest, NisshinboCodes) {
    const Given inc{.PunchNcType = 2, .InAbsInc = 1};
    CheckAll({
        {"G01 sets the position G51 measures from",
         kNisshinbo,
         {"G01X10.Y20.", "G51X40.Y60.I5.J-2."},
         {"G70X10.Y20.", "G66I50.000J53.130P-5.000Q-2.000", "G70X40.000Y60.000"},
         {0, 1, 1}},
        {"G51 before any position measures from the origin",
         kNisshinbo,
         {"G51X30.Y40.I5.J2."},
         {"G66I50.000J53.130P5.000Q2.000", "G70X30.000Y40.000"},
         {0, 0}},
        {"G51 incremental",
         inc,
         {"G01X10.Y20.", "G51X30.Y40.I5.J2.T3"},
         {"G70X10.Y20.", "G66I50.000J53.130P5.000Q2.000", "G70X30.000Y40.000"},
         {0, 1, 1}},
        {"G02 G03 G05",
         kNisshinbo,
         {"G02X1.", "G03X1.Y2.", "G05X1.5Y2."},
         {"X1.", "X1.Y2.", "G70X1.5Y2."}},
        {"G71",
         kNisshinbo,
         {"G71X10.Y20.I5.A30.H4T2C1"},
         {"X10.000Y20.000T2C1", "G28I5.000J30.000K3"},
         {0, 0}},
        {"G71 integer style", kNisshinbo, {"G71X10Y20I5A30H4"}, {"X10Y20", "G28I5J30K3"}, {0, 0}},
        {"G73 G74",
         kNisshinbo,
         {"G73X10.Y20.I5.J6.H3K2", "G74X10.Y20.I5.J6.H3K2T4"},
         {"X10.000Y20.000", "G36I5.000J6.000P2K1", "X10.000Y20.000T4", "G37I5.000J6.000P2K1"},
         {0, 0, 1, 1}},
        {"G72 scaled after G28 until G29",
         kNisshinbo,
         {"G28", "G72X1.Y2.R3.A45.H6B30.T7", "G29", "G72X1.Y2.R3.A45.H6B30.", "G72X1.Y2.R3.A45.H6"},
         {"G28", "G72X10.000Y20.000T7", "G29I30.000J45.000P30.000K6T7", "G29", "G72X1.000Y2.000",
          "G29I3.000J45.000P30.000K6", "G72X1.Y2.R3.A45.H6"},
         {0, 1, 1, 2, 3, 3, 4}},
        {"G61",
         kNisshinbo,
         {"G61X10.Y20.L30.A45.I5.J3.T1"},
         {"G72X10.000Y20.000", "G66I30.000J45.000P5.000Q3.000T1"},
         {0, 0}},
        {"G80",
         kNisshinbo,
         {"G80X10.Y20.L30.A45.P5.S3T1C2"},
         {"G72X10.000Y20.000", "G69I30.000J45.000P5.000Q3T1C2"},
         {0, 0}},
        {"G62 G81 sweep",
         kNisshinbo,
         {"G62X10.Y20.J15.R50.A90.B30.S4", "G81X10.Y20.P15.R-50.A0.B90."},
         {"G72X10.000Y20.000", "G68I50.000J90.000K300.000P15.000Q4", "G72X10.000Y20.000",
          "G68I50.000J0.000K-90.000P15.000Q1"},
         {0, 0, 1, 1}},
        {"G62 integer style scales the turn and the count",
         kNisshinbo,
         {"G62X10Y20J15R50A90B30S4"},
         {"G72X10Y20", "G68I50J90K359940P15Q4000"},
         {0, 0}},
        {"G63",
         kNisshinbo,
         {"G63X10.Y20.I5.J6.L30.R45.T2"},
         {"G72X10.000Y20.000", "G67I30.000J45.000P5.000Q6.000T2"},
         {0, 0}},
        {"G10", kNisshinbo, {"G10X5."}, {"G25X-5.000"}},
        {"missing words leave the line",
         kNisshinbo,
         {"G71X10.Y20.I5.A30.", "G61X10.Y20.", "G10Y5.", "MOV/X10.Y20."},
         {"G71X10.Y20.I5.A30.", "G61X10.Y20.", "G10Y5.", "MOV/X10.Y20."}},
        {"other dialects keep the codes", kAmada, {"G10X5.", "G01X1."}, {"G10X5.", "G01X1."}},
    });
}

TEST(PunchDialectTest, NisshinboGridRepetitionsBecomePatternMarkers) {
    CheckAll({
        {"G83",
         kNisshinbo,
         {"G83X100.Y50.I20.J10.H3K2V10W20", "N10G00X1.", "N20G00X2.", "M30"},
         {"G98X100.000Y50.000I20.000J10.000P2K1", "G75W1Q1", "G98X0Y0I0J0P0K0", "U1", "G00X1.",
          "G00X2.", "V1", "M30"},
         {0, 0, 0, 1, 1, 2, 2, 3}},
        {"G84 and a second repetition count on",
         kNisshinbo,
         {"G84X1.Y2.I3.J4.H2K2V10W10", "N10G00X1.", "G83X1.Y2.I3.J4.H2K2V30W30", "N30G00X5."},
         {"G98X1.000Y2.000I3.000J4.000P1K1", "G76W1Q1", "G98X0Y0I0J0P0K0", "U1", "G00X1.", "V1",
          "G98X1.000Y2.000I3.000J4.000P1K1", "G75W2Q1", "G98X0Y0I0J0P0K0", "U2", "G00X5.", "V2"},
         {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3}},
        {"W before V",
         kNisshinbo,
         {"G83X1.Y2.I3.J4.H2K2V20W10", "N10G00X1.", "N20G00X2."},
         {"G83X1.Y2.I3.J4.H2K2V20W10", "G00X1.", "G00X2."}},
        {"W missing",
         kNisshinbo,
         {"G83X1.Y2.I3.J4.H2K2V10", "N10G00X1."},
         {"G83X1.Y2.I3.J4.H2K2V10", "G00X1."}},
        {"N line missing",
         kNisshinbo,
         {"G83X1.Y2.I3.J4.H2K2V10W30", "N10G00X1."},
         {"G83X1.Y2.I3.J4.H2K2V10W30", "G00X1."}},
        {"other dialects",
         kAmada,
         {"G83X1.Y2.I3.J4.H2K2V10W10", "N10"},
         {"G83X1.Y2.I3.J4.H2K2V10W10", "N10"}},
    });
}

// A repetition whose block starts on its own line would contain itself: it is refused with a
// fault naming the document line; the other lines are normalised as usual.
TEST(PunchDialectTest, SelfReferringGridRepetitionStopsWithAFault) {
    Harness h(kNisshinbo);
    const CNcRead& r =
        h.Run({"N10G83X1.Y2.I3.J4.H2K2V10W20", "N20G00X1."}, &CNcRead::NormalizePunchDialect);
    EXPECT_EQ(r.Lines, (std::vector<std::string>{"G83X1.Y2.I3.J4.H2K2V10W20", "G00X1."}));
    EXPECT_EQ(r.LineMap, (std::vector<int>{0, 1}));
    ASSERT_EQ(r.ConvertFaults.size(), 1u);
    EXPECT_EQ(r.ConvertFaults[0].Kind, NcConvertFaultKind::GridRepeatSelfReference);
    EXPECT_EQ(r.ConvertFaults[0].LineNo, 0);
}

TEST(PunchDialectTest, ChainOfSelfReferringGridRepetitionsEnds) {
    Harness h(kNisshinbo);
    // The first repetition's block holds a second one that refers to itself.
    const CNcRead& r = h.Run({"G83X1.Y2.I3.J4.H2K2V10W20", "N10G84X1.Y2.I3.J4.H2K2V10W20",
                              "N20G00X1.", "N30G83X1.Y1.I1.J1.H2K2V30W30"},
                             &CNcRead::NormalizePunchDialect);
    EXPECT_EQ(r.Lines,
              (std::vector<std::string>{"G98X1.000Y2.000I3.000J4.000P1K1", "G75W1Q1",
                                        "G98X0Y0I0J0P0K0", "U1", "G84X1.Y2.I3.J4.H2K2V10W20",
                                        "G00X1.", "V1", "G83X1.Y1.I1.J1.H2K2V30W30"}));
    EXPECT_EQ(r.LineMap, (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 3}));
    ASSERT_EQ(r.ConvertFaults.size(), 2u);
    EXPECT_EQ(r.ConvertFaults[0].LineNo, 1);
    EXPECT_EQ(r.ConvertFaults[1].LineNo, 3);
}

TEST(PunchDialectTest, PatternMacrosAndProgramStop) {
    const Given stop{.OptProgStop = "M00"};
    CheckAll({
        {"A stores pattern codes, B recalls them",
         kAmada,
         {"A1G28I10.J0K5", "B1", "B3", "A2G70X1.", "B2", "A11G28I1.J0K2", "B11", "A3 G26I1.J2.K3",
          "B3"},
         {"A1G28I10.J0K5", "G28I10.J0K5", "B3", "A2G70X1.", "B2", "A11G28I1.J0K2", "B11",
          "A3 G26I1.J2.K3", "G26I1.J2.K3"}},
        {"program stop", stop, {"G00X1.M00", "M01"}, {"G70G00X1.M00", "M01"}},
        {"an empty program stop marks no line",
         kAmada,
         {"G00X1.", "G92X1000.Y1250."},
         {"G00X1.", "G92X1000.Y1250."}},
        {"laser programs have no macros", kLaser, {"A1G28I10.J0K5", "B1"}, {"A1G28I10.J0K5", "B1"}},
    });
}

TEST(PunchDialectTest, LongLinesStayWhole) {
    const std::string pad(600, ' ');
    CheckAll({
        {"statement", kAmada, {"MOV/X10.Y20." + pad + "(end)"}, {"G72X10.Y20." + pad + "(end)"}},
        {"scanned line", kAmada, {"PDR/X1.", "X2." + pad}, {"G70X1.", "G01X2." + pad}},
        {"sequence number", kAmada, {"N1" + pad + "G00"}, {"G00"}},
    });
}

// Through the set-up: the normaliser runs for set-ups with text conversion and its faults are
// those of the last set-up.
TEST(PunchDialectTest, RunsInSetProgramWithTextConversionOnly) {
    NcAppContext app;
    CNcReadInfo settings;
    settings.LaserPunch = 2;
    settings.PunchNcType = 2;
    CNcRead reader(&app);
    const std::vector<std::string> self = {"N10G83X1.Y2.I3.J4.H2K2V10W20", "N20G00X1.", "PED/X1."};
    reader.SetProgram(self, &settings, nullptr, 0);
    EXPECT_EQ(reader.Lines,
              (std::vector<std::string>{"G83X1.Y2.I3.J4.H2K2V10W20", "G00X1.", "G70X1.", "G00"}));
    EXPECT_EQ(reader.LineMap, (std::vector<int>{0, 1, 2, 2}));
    EXPECT_EQ(reader.ConvertFaults.size(), 1u);

    reader.SetProgram(self, &settings, nullptr, 1);
    EXPECT_EQ(reader.Lines, self);
    EXPECT_TRUE(reader.ConvertFaults.empty());
}

}  // namespace

namespace {

// Without machine settings the normaliser works with those of an empty machine file (program
// stop "M00"); the lines are told a punch program by their pattern code.
TEST(PunchDialectTest, NullSettingsReadAsDefaults) {
    CNcRead reader;
    reader.SetProgram({"G72X10.Y10.", "G00X1.M00", "PED/X1."}, nullptr, nullptr, 0);
    EXPECT_EQ(reader.Lines,
              (std::vector<std::string>{"G72X10.Y10.", "G70G00X1.M00", "G70X1.", "G00"}));
    EXPECT_EQ(reader.LineMap, (std::vector<int>{0, 1, 2, 2}));
}

}  // namespace
