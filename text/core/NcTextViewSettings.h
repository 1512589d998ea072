// NcTextViewSettings: the settings of the NC line list in the system settings file
// ([NcTextView], the trace tool pen of [NcElemView] and [Trace]).
#pragma once

#include <array>
#include <filesystem>
#include <string>

struct NcTextViewSettings {
    using Rgb = std::array<int, 3>;
    Rgb OnoPen{255, 0, 0};      // program-number lines
    Rgb SubCallPen{0, 0, 255};  // sub-program calls
    Rgb CommentPen{0, 128, 0};  // comment lines
    Rgb TextColor{0, 0, 0};     // all other text
    int FontSize = 110;         // tenths of a point
    std::string FontName;       // CP932 bytes, at most 31
    int WeightTimeH = 0;
    int WeightTimeM = 5;
    int WeightTimeL = 40;
    int WeightTimeFF = 1;
    int ManyEveryPart = 0;
    int TraceOnlyStartEndStop = 0;
    Rgb TraceToolPen{255, 255, 0};
    int TraceToolPenStyle = 0;
    int TraceToolPenWidth = 2;

    // Reads the keys (not the column widths); WeightTimeFF is written back at once. Returns 1.
    int Load(const std::filesystem::path& ini);
};

// The column widths of the list ([NcTextView] ColumnWidth0-2, defaults 25, 50, 350).
std::array<int, 3> ReadColumnWidths(const std::filesystem::path& ini);
void WriteColumnWidth(const std::filesystem::path& ini, int column, int width);

// The default list font: "ＭＳ ゴシック" in CP932.
extern const char kDefaultNcFontName[];
