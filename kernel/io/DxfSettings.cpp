// Reading section "Dxf" of the system settings file, and the line-type and colour tables.
#include "kernel/io/DxfSettings.h"

#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace {

constexpr const char* kSection = "Dxf";
constexpr size_t kMaxText = 63;

// The first 63 bytes, as a 64-byte profile buffer held them, but never half a character.
std::string Cut(std::string text) {
    if (text.size() <= kMaxText) return text;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t len = platform::CharLength(text, pos);
        if (pos + len > kMaxText) break;
        pos += len;
    }
    text.resize(pos);
    return text;
}

std::string Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

void ReadStyle(const platform::ProfileFile& ini, const char* prefix, DxfLayerStyle& style,
               bool withOutput, const char* layerDefault, const char* emptyLayer) {
    const std::string p = prefix;
    if (withOutput) style.output = ini.GetInt(kSection, p + "_Output", style.output);
    style.penNo = ini.GetInt(kSection, p + "_PenNo", style.penNo);
    style.lineTypeNo = ini.GetInt(kSection, p + "_LKindNo", style.lineTypeNo);
    std::string layer = Cut(ini.GetString(kSection, p + "_LayerName", layerDefault));
    if (emptyLayer) {
        layer = Trim(layer);
        if (layer.empty()) layer = emptyLayer;
    }
    style.layer = std::move(layer);
}

}  // namespace

void DxfSettings::Read(const std::filesystem::path& iniPath) {
    *this = DxfSettings();
    platform::ProfileFile ini;
    ini.Load(iniPath);
    ReadStyle(ini, "Cut", cut, true, "1", "1");
    ReadStyle(ini, "Mrk", mark, true, "1", "2");
    ReadStyle(ini, "FF", rapid, true, "2", "3");
    aprProc = ini.GetInt(kSection, "Apr_Proc", 0);
    aprMode = ini.GetInt(kSection, "Apr_Mode", 0);
    jointLen = platform::ParseLeadingReal(Cut(ini.GetString(kSection, "Apr_JointLen", "1.000")));
    aprChkLen = platform::ParseLeadingReal(Cut(ini.GetString(kSection, "Apr_AprChkLen", "30.000")));
    ReadStyle(ini, "Apr", approach, false, "1", nullptr);
    ReadStyle(ini, "Jnt", joint, false, "1", nullptr);
}

unsigned DxfSettings::OutputMask() const {
    unsigned mask = 0;
    if (cut.output) mask |= 4u | 8u;
    if (mark.output) mask |= 2u;
    if (rapid.output) mask |= 1u;
    return mask;
}

const char* DxfLineTypeName(int index) {
    static constexpr const char* kNames[] = {"CONTINUOUS", "DASHDOT", "DASHED", "DIVIDE", "DOT"};
    if (index < 0 || index >= 5) return kNames[0];
    return kNames[index];
}

int DxfColourOfPen(int penNo) {
    if (penNo < 0 || penNo > 254) return 7;
    return penNo + 1;
}
