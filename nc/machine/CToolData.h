// CToolData: the cutting-condition table of a laser machine, file "Za_Reve.ntd".
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct NcAppContext;

// Numbered conditions (height, diameter, name, colour), one row for all other conditions and
// the three condition words. Colours are Windows colour values: red in the low byte, then
// green, then blue.
class CToolData {
public:
    static constexpr uint32_t kDefaultColour = 16776960;  // cyan

    // ctx gives the configuration folder that holds the table; null: only LoadFrom/SaveTo work.
    explicit CToolData(const NcAppContext* ctx = nullptr) : ctx_(ctx) {}
    void Attach(const NcAppContext* ctx) { ctx_ = ctx; }

    // The table file: the configuration folder and "Za_Reve.ntd"; empty without a context.
    std::filesystem::path FilePath() const;

    // Reads the table; a missing file or key gives the defaults and a table without rows
    // the ten default rows. Always 1 (0 only without a context).
    int Load();
    // Writes the table anew: to a temporary file that then replaces the table, so a failed
    // write leaves the old table whole. 1 saved, 0 failed.
    int Save();
    int LoadFrom(const std::filesystem::path& file);
    int SaveTo(const std::filesystem::path& file) const;

    // Number of rows (the length of the shortest row list, should they ever differ).
    size_t RowCount() const;

    int DrawShavColor = 0;  // non-zero: look for the condition words and draw in their colours
    std::string ShavString1 = "A";
    std::string ShavString2 = "W";
    std::string ShavString3 = "#501=1";

    // Parallel row lists, ascending by condition number (compared unsigned, stable).
    std::vector<uint32_t> ToolNo;
    std::vector<std::string> ToolHigh;
    std::vector<std::string> ToolDiameter;
    std::vector<std::string> ToolName;
    std::vector<uint32_t> ToolColorRGB;

    // The row of all other conditions ([TOOL_OTHER]).
    std::string OtherHigh;
    std::string OtherDiameter;
    std::string OtherName;
    uint32_t OtherColorRGB = kDefaultColour;

private:
    void InsertRow(uint32_t no, std::string high, std::string diameter, std::string name,
                   uint32_t colour);
    void ClearRows();

    const NcAppContext* ctx_ = nullptr;
};
