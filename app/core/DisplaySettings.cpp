// Which commands appear in the menus and on the tool bars: the display flags of the system INI.
#include "app/core/DisplaySettings.h"

#include "app/core/CommandIds.h"
#include "platform/Profile.h"

const std::vector<DisplayGroup>& DisplayGroups() {
    static const std::vector<DisplayGroup> groups = {
        {"File",
         "\"File\" Display setting",
         0,
         kBarStandard,
         {{"New", cmd::New, 3, 3},
          {"Open", cmd::Open, 3, 3},
          {"Save", cmd::Save, 3, 3},
          {"Save as", cmd::SaveAs, 1, 1},
          {"Exit", cmd::Exit, 3, 3},
          {"Open Sheet", cmd::OpenSheet, 3, 1},
          {"Output Dxf", cmd::OutputDxf, 3, 1},
          {"Batch Output Dxf", cmd::BatchOutputDxf, 1, 0},
          {"Boot", cmd::Boot, 3, 1},
          {"Boot2", cmd::Boot2, 3, 1}}},
        {"Edit",
         "\"Edit\" Display setting",
         1,
         kBarEdit,
         {{"Undo", cmd::Undo, 1, 1},
          {"Redo", cmd::Redo, 1, 1},
          {"Cut", cmd::Cut, 3, 3},
          {"Copy", cmd::Copy, 3, 3},
          {"Paste", cmd::Paste, 3, 3},
          {"Shift Coord", cmd::ShiftCoord, 3, 3},
          {"Check NC", cmd::CheckNc, 3, 3},
          {"Get Sub Prog", cmd::GetSubProgram, 3, 3},
          {"Convert NC", cmd::ConvertNc, 3, 1},
          {"Convert G08", cmd::ConvertG08, 0, 3},
          {"06R Smoothing", cmd::Smooth, 0, 3},
          {"Manual Move", cmd::ManualMove, 0, 3}}},
        {"Operation",
         "\"View\" Display setting",
         3,
         kBarOperation,
         {{"Rotate view", cmd::RotateView, 3, 3},
          {"Move", cmd::OpScroll, 3, 3},
          {"Zoom", cmd::OpZoom, 3, 3}}},
        {"Zoom",
         "\"View\" Display setting",
         3,
         kBarZoom,
         {{"Zoom in", cmd::ZoomIn, 3, 3},
          {"Zoom out", cmd::ZoomOut, 3, 3},
          {"Fit", cmd::Fit, 3, 3},
          {"All fit", cmd::AllFit, 3, 3},
          {"Direction arrow", cmd::EdgeDisp, 3, 3},
          {"AC axis", cmd::AcAxis, 0, 3},
          {"XYZ axis", cmd::XyzAxis, 1, 1}}},
        {"Scroll",
         "\"View\" Display setting",
         3,
         kBarScroll,
         {{"Up", cmd::ScrollUp, 3, 3},
          {"Down", cmd::ScrollDown, 3, 3},
          {"Left", cmd::ScrollLeft, 3, 3},
          {"Right", cmd::ScrollRight, 3, 3}}},
        {"Trace",
         "\"Trace\" Display setting",
         4,
         kBarTrace,
         {{"Run", cmd::Run, 3, 3},
          {"Step", cmd::Step, 3, 3},
          {"Cancel", cmd::Cancel, 3, 3},
          {"Tracing speed-High", cmd::SpeedHigh, 3, 3},
          {"Tracing speed-Normal", cmd::SpeedNormal, 3, 3},
          {"Tracing speed-Low", cmd::SpeedLow, 3, 3},
          {"Break on", cmd::BreakOn, 1, 1},
          {"Break off", cmd::BreakOff, 1, 1},
          {"Break Wait", cmd::BreakWait, 1, 1},
          {"Break all enable", cmd::BreakAllEnable, 1, 1},
          {"Break all release", cmd::BreakAllRelease, 1, 1},
          {"Break all disable", cmd::BreakAllDisable, 1, 1}}},
        {"Setup",
         "\"Setup\" Display setting",
         5,
         kBarProperty,
         {{"Property", cmd::Property, 3, 3},
          {"Property of machine", cmd::PropertyMachine, 3, 3},
          {"Property of tool", cmd::PropertyCondition, 3, 3},
          {"Property of conversion", cmd::PropertyConversion, 1, 1}}},
        {"Help",
         "\"Help\" Display setting",
         6,
         kBarNone,
         {{"Help", cmd::HelpContents, 1, 1}, {"Version", cmd::About, 1, 1}}},
    };
    return groups;
}

std::string FormatFlagBits(int bitCount, char sep, uint16_t flags) {
    std::string text;
    for (int bit = 0; bit < bitCount; ++bit) {
        text += (flags >> bit) & 1 ? '1' : '0';
        text += sep;
    }
    while (!text.empty() && text.back() == sep) text.pop_back();
    return text;
}

int ParseFlagBits(char sep, std::string_view text, uint16_t& flags) {
    flags = 0;
    int fields = 0;
    int bit = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(sep, start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view field = text.substr(start, end - start);
        if (!field.empty()) {
            ++fields;
            // A field reads as its leading decimal digits; anything unreadable is 0.
            long value = 0;
            size_t i = 0;
            while (i < field.size() && field[i] == ' ') ++i;
            bool negative = i < field.size() && field[i] == '-';
            if (i < field.size() && (field[i] == '-' || field[i] == '+')) ++i;
            for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
                value = value < 100000 ? value * 10 + (field[i] - '0') : value;
            if (negative) value = -value;
            if (value != 0 && bit < 16) flags |= static_cast<uint16_t>(1u << bit);
            ++bit;
        }
        if (end == text.size()) break;
        start = end + 1;
    }
    return fields;
}

uint16_t DisplayFlags::FlagsOf(int command) const {
    const auto& all = DisplayGroups();
    for (size_t g = 0; g < all.size() && g < groups.size(); ++g)
        for (size_t k = 0; k < all[g].keys.size() && k < groups[g].size(); ++k)
            if (all[g].keys[k].command == command) return groups[g][k];
    return kFlagMenu | kFlagButton;
}

void DisplayFlags::Set(int command, uint16_t flags) {
    const auto& all = DisplayGroups();
    for (size_t g = 0; g < all.size() && g < groups.size(); ++g)
        for (size_t k = 0; k < all[g].keys.size() && k < groups[g].size(); ++k)
            if (all[g].keys[k].command == command) {
                groups[g][k] = flags;
                return;
            }
}

DisplayFlags LoadDisplayFlags(const std::filesystem::path& iniPath, bool forbidSheetRead) {
    DisplayFlags out;
    platform::ProfileFile ini;
    // A file that exists but cannot be read is never written over.
    std::error_code ec;
    bool writable = ini.Load(iniPath) || !std::filesystem::exists(iniPath, ec);
    const std::string before = ini.Text();
    for (const DisplayGroup& group : DisplayGroups()) {
        std::vector<uint16_t> flags;
        for (const DisplayKey& key : group.keys) {
            uint16_t def = forbidSheetRead ? key.defaultWithForbidSheetRead : key.defaultFlags;
            std::string value = ini.GetString(group.section, key.key, FormatFlagBits(2, ':', def));
            // The value is read into a 12-character buffer.
            if (value.size() > 11) value.resize(11);
            ini.Set(group.section, key.key, value);
            uint16_t parsed = 0;
            ParseFlagBits(':', value, parsed);
            flags.push_back(parsed);
        }
        out.groups.push_back(std::move(flags));
    }
    if (writable && ini.Text() != before) ini.Save(iniPath);
    return out;
}

std::vector<BarButtonPlan> ApplyDisplayFlags(const std::vector<int>& table,
                                             const std::vector<uint16_t>& flags, bool hasBar) {
    enum class Sep { NoneYet, Shown, Pending } state = Sep::NoneYet;
    std::vector<BarButtonPlan> plan;
    size_t index = 0;
    for (int entry : table) {
        if (entry == 0) {
            if (state == Sep::Shown) state = Sep::Pending;
            continue;
        }
        uint16_t f = index < flags.size() ? flags[index] : (kFlagMenu | kFlagButton);
        ++index;
        BarButtonPlan b;
        b.command = entry;
        b.inMenu = (f & kFlagMenu) != 0;
        if (hasBar && (f & kFlagButton)) {
            b.shown = true;
            b.separatorBefore = state == Sep::Pending;
            state = Sep::Shown;
        }
        plan.push_back(b);
    }
    return plan;
}
