// InfoListRows: the rows of the information list: extents, or the status of a trace.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CDtbEngine;
struct CNcReadState;

struct InfoListRow {
    std::string label;  // column 0 (UTF-8)
    std::string value;  // column 1
    bool operator==(const InfoListRow&) const = default;
};

// String ids of the headings and labels.
inline constexpr unsigned kInfoHeadSign = 61452;
inline constexpr unsigned kInfoHeadValue = 61453;
inline constexpr unsigned kInfoLabelXyz = 61460;
inline constexpr unsigned kInfoLabelCutLength = 61461;
inline constexpr unsigned kInfoLabelPierceCount = 61462;
inline constexpr unsigned kInfoLabelCutTime = 61470;

// The text of a string id in the current language; the list's own texts stand in for ids the
// string table lacks.
std::string InfoListText(unsigned id);

// "%9.3lf" and "%9d" in C notation, whatever the process locale.
std::string FormatReal9(double value);
std::string FormatInt9(long long value);
// Three reals joined by ", ".
std::string FormatTriple(double a, double b, double c);

// "Max" and "Min" with the corners of the elements' box; no rows without elements.
std::vector<InfoListRow> ExtentRows(const CDtbEngine& elements);
// Position, cutting / marking / rapid lengths, pierce and mark counts, cutting time.
std::vector<InfoListRow> TraceStatusRows(const CNcReadState& state, int workTime);

// [NcInfoView] of the system settings file.
struct InfoListSettings {
    int textR = 0, textG = 0, textB = 255;
    int fontSize = 110;                      // tenths of a point
    std::string fontName = "ＭＳ ゴシック";  // UTF-8, from at most 31 bytes of CP932 text
    // Missing keys give their defaults.
    void Load(const std::filesystem::path& iniPath);
};
