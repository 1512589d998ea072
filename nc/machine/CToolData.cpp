// Cutting-condition table: row order, default rows and the atomic rewrite of "Za_Reve.ntd".
#include "nc/machine/CToolData.h"

#include <algorithm>

#include "nc/NcAppContext.h"
#include "nc/machine/MachineStrings.h"
#include "nc/machine/ProfileText.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/TextCodec.h"

namespace fs = std::filesystem;
using platform::FormatInt;
using platform::ProfileFile;

namespace {

constexpr size_t kValueChars = 63;

std::string RowSection(size_t n) {
    std::string s = FormatInt(static_cast<long long>(n));
    while (s.size() < 3) s.insert(s.begin(), '0');
    return "TOOL" + s;
}

// atoi of the text, taken as a 32-bit value: "-1" is 4294967295.
uint32_t AsUnsigned(const std::string& text) {
    return static_cast<uint32_t>(static_cast<int32_t>(platform::ParseLeadingInt(text)));
}

}  // namespace

fs::path CToolData::FilePath() const {
    if (!ctx_) return {};
    return ctx_->ConfigFolder / MachineString(machine_strings::kConditionFileName);
}

int CToolData::Load() {
    if (!ctx_) return 0;
    LoadFrom(FilePath());
    return 1;
}

int CToolData::Save() {
    if (!ctx_) return 0;
    return SaveTo(FilePath());
}

size_t CToolData::RowCount() const {
    return std::min({ToolNo.size(), ToolHigh.size(), ToolDiameter.size(), ToolName.size(),
                     ToolColorRGB.size()});
}

void CToolData::ClearRows() {
    ToolNo.clear();
    ToolHigh.clear();
    ToolDiameter.clear();
    ToolName.clear();
    ToolColorRGB.clear();
}

void CToolData::InsertRow(uint32_t no, std::string high, std::string diameter, std::string name,
                          uint32_t colour) {
    // In front of the first row with a greater number: equal numbers keep their file order.
    auto at = std::upper_bound(ToolNo.begin(), ToolNo.end(), no) - ToolNo.begin();
    ToolNo.insert(ToolNo.begin() + at, no);
    ToolHigh.insert(ToolHigh.begin() + at, std::move(high));
    ToolDiameter.insert(ToolDiameter.begin() + at, std::move(diameter));
    ToolName.insert(ToolName.begin() + at, std::move(name));
    ToolColorRGB.insert(ToolColorRGB.begin() + at, colour);
}

int CToolData::LoadFrom(const fs::path& file) {
    ProfileFile p;
    p.Load(file);
    if (ctx_) ReportUnreadableSettings(p, file, ctx_->Prompt);
    ClearRows();

    DrawShavColor = p.GetInt("TOOL_DRAW", "DrawShavColor", 0);
    ShavString1 = CutToBuffer(p.GetString("TOOL_DRAW", "ShavString1", "A"), kValueChars);
    ShavString2 = CutToBuffer(p.GetString("TOOL_DRAW", "ShavString2", "W"), kValueChars);
    ShavString3 = CutToBuffer(p.GetString("TOOL_DRAW", "ShavString3", "#501=1"), kValueChars);

    // Only an empty condition number ends the rows. Rows with an empty height or diameter are
    // kept: the default rows themselves have neither, and a table saved with such rows must
    // read back whole.
    for (size_t n = 0;; ++n) {
        std::string section = RowSection(n);
        std::string no = CutToBuffer(p.GetString(section, "ToolNo", ""), kValueChars);
        if (no.empty()) break;
        InsertRow(AsUnsigned(no), CutToBuffer(p.GetString(section, "ToolHigh", ""), kValueChars),
                  CutToBuffer(p.GetString(section, "ToolDiameter", ""), kValueChars),
                  CutToBuffer(p.GetString(section, "ToolName", ""), kValueChars),
                  AsUnsigned(p.GetString(section, "ToolColorRGB", FormatInt(kDefaultColour))));
    }
    if (ToolNo.empty()) InsertRow(0, {}, {}, {}, kDefaultColour);
    if (ToolNo.size() == 1 && ToolNo[0] == 0) {
        ClearRows();
        struct Default {
            uint32_t no;
            int nameId;
            uint32_t colour;
        };
        static constexpr Default kDefaults[] = {
            {1, machine_strings::kConditionLow, 255},
            {2, machine_strings::kConditionMiddle, 65535},
            {3, machine_strings::kConditionHigh, kDefaultColour},
            {4, 0, kDefaultColour},
            {5, 0, kDefaultColour},
            {6, 0, kDefaultColour},
            {7, machine_strings::kConditionMarking, 16777215},
            {8, 0, kDefaultColour},
            {9, 0, kDefaultColour},
            {10, 0, kDefaultColour},
        };
        // Names are kept as the file's Shift-JIS bytes, like every name read from it.
        for (const Default& d : kDefaults)
            InsertRow(
                d.no, {}, {},
                d.nameId ? platform::Utf8ToCp932(MachineString(d.nameId)).bytes : std::string(),
                d.colour);
    }

    OtherHigh = CutToBuffer(p.GetString("TOOL_OTHER", "ToolHigh", ""), kValueChars);
    OtherDiameter = CutToBuffer(p.GetString("TOOL_OTHER", "ToolDiameter", ""), kValueChars);
    OtherName = CutToBuffer(p.GetString("TOOL_OTHER", "ToolName", ""), kValueChars);
    std::string colour = p.GetString("TOOL_OTHER", "ToolColorRGB", "");
    OtherColorRGB = colour.empty() ? kDefaultColour : AsUnsigned(colour);
    return 1;
}

int CToolData::SaveTo(const fs::path& file) const {
    // Built from nothing, so that no section of an earlier, longer table survives; the finished
    // text replaces the old file in one rename.
    ProfileFile p;
    p.Set("TITLE", "Title", "Tool Data");
    p.Set("TOOL_DRAW", "DrawShavColor", FormatInt(DrawShavColor));
    p.Set("TOOL_DRAW", "ShavString1", ShavString1);
    p.Set("TOOL_DRAW", "ShavString2", ShavString2);
    p.Set("TOOL_DRAW", "ShavString3", ShavString3);
    const size_t rows = RowCount();
    for (size_t i = 0; i < rows; ++i) {
        std::string section = RowSection(i);
        // Signed, as written before: a number read from "-1" goes back as "-1".
        p.Set(section, "ToolNo", FormatInt(static_cast<int32_t>(ToolNo[i])));
        p.Set(section, "ToolHigh", ToolHigh[i]);
        p.Set(section, "ToolDiameter", ToolDiameter[i]);
        p.Set(section, "ToolName", ToolName[i]);
        p.Set(section, "ToolColorRGB", FormatInt(ToolColorRGB[i]));
    }
    p.Set("TOOL_OTHER", "ToolHigh", OtherHigh);
    p.Set("TOOL_OTHER", "ToolDiameter", OtherDiameter);
    p.Set("TOOL_OTHER", "ToolName", OtherName);
    p.Set("TOOL_OTHER", "ToolColorRGB", FormatInt(OtherColorRGB));
    return p.Save(file) ? 1 : 0;
}
