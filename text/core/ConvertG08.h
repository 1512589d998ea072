// The G12-to-G08 conversion: laser holes cut with G12, G12.1 and G12.2 between a W condition
// line and its W0 become one "G08D" circle block with the positioning block moved to the
// hole's centre; the parameters, their stored texts and their validation.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "kernel/base/CxyzData.h"

class CNcReadInfo;
class CToolData;
class NcOpsHost;
struct NcAppContext;

// The parameters of a run (the application keeps one record for the whole program run).
struct ConvG08Params {
    double ConvertDia = 50.0;  // largest diameter converted; 0 converts every hole
    double ApproachLen = 0.5;  // the K word; 0 writes none
    short DecimalDigit = 2;    // decimals of the numbers written, 0-9
    int UpdateWCheck = 0;      // 1: the W line takes the class of the diameter
    double WDia1 = 9.999;      // upper diameter of class 1
    double WDia2 = 19.999;     // upper diameter of class 2
    int WNo1 = 1;
    int WNo2 = 2;
    int WNo3 = 3;
    int SpecifyRow = 0;  // 1: only holes whose G12 line lies in StartRow..EndRow
    int StartRow = 1;    // 1-based, inclusive
    int EndRow = 1;
};

// The dialog's fields as texts ([Convert_G08] of the system settings file holds them so), with
// the class lower bounds it shows.
struct ConvG08Texts {
    std::string ConvertDia, ApproachLen, DecimalDigit;
    std::string StartRow, EndRow;
    std::string WDia1, WDia2, WNo1, WNo2, WNo3;
    std::string Lower1, Lower2, Lower3;  // shown only
    int UpdateWCheck = 0;
    int SpecifyRow = 0;

    // [Convert_G08] of ini with its stored default texts; the range is 1 to lineCount.
    static ConvG08Texts Load(const std::filesystem::path& ini, int lineCount);
    // Writes every key (the range is not stored). False when the file cannot be written.
    bool Save(const std::filesystem::path& ini) const;
    // Clamps every value (ConvertDia 0-9999 with values below 0.001 as 0, ApproachLen 0-99,
    // DecimalDigit 0-9 read as a 16-bit number, rows 1-lineCount with EndRow at least
    // StartRow, WDia 0-9999 with WDia2 at least WDia1 + 0.001, WNo -10-10) and writes the
    // texts back in their shown form with the lower bounds.
    void Validate(int lineCount);
    // The numbers of the texts (validated first by the caller).
    ConvG08Params Params() const;
};

// The markers of one hole: line indices, -1 when not seen.
struct G08HoleMarkers {
    int P = -1;   // positioning G00/G01 line
    int G = -1;   // G12
    int G1 = -1;  // G12.1
    int G2 = -1;  // G12.2
    int Wl = -1;  // W condition line
    int W0 = -1;  // W0 line
    int A1 = -1;  // approach G01 after W, before G12.1
    int A2 = -1;  // G01 after G12.1
};

// Rewrites one hole in lines: the positioning line to the centre (its other words and comment
// kept), the W line to the diameter's class when asked, line G to "G08D<2r>[K<ApproachLen>]"
// and the lines G1, G2, A1 and A2 removed (in descending index order). Returns the number of
// lines removed.
int FormatConvertedBlock(std::vector<std::string>& lines, const G08HoleMarkers& m,
                         const CxyzData& centre, double radius, const ConvG08Params& p);

struct G08Counts {
    int Converted = 0;
    int Failed = 0;
};
// The conversion over lines with the machine settings (copied for the reader of the head
// test, whose G92 base is 0) and the condition table.
G08Counts ConvertG08Lines(std::vector<std::string>& lines, const ConvG08Params& p,
                          const CNcReadInfo& machine, CToolData* conditions,
                          const NcAppContext* app);

// The conversion of the document: messages 20075 (failed holes) and 20076 (converted holes)
// through the host's prompt; when a hole was converted the lines are replaced and
// host.LinesChanged() is called. Nothing while a trace is active.
G08Counts ConvertG08(NcOpsHost& host, const ConvG08Params& p);
