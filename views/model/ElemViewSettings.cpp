// The settings block of the element views: key table, loading and the write-back of its 16ILB part.
#include "views/model/ElemViewSettings.h"

#include "platform/Profile.h"

namespace {

constexpr const char* kV = kSectionElemView;
constexpr const char* kI = kSection16ILB;

constexpr std::array<ElemViewSettingKey, kElemViewSettingCount> kKeys = {{
    {kV, "BackGroundR", 23},
    {kV, "BackGroundG", 26},
    {kV, "BackGroundB", 50},
    {kV, "GridPenR", 95},
    {kV, "GridPenG", 126},
    {kV, "GridPenB", 98},
    {kV, "GridPenStyle", 0},
    {kV, "GridPenWide", 1},
    {kV, "NaviPenR", 255},
    {kV, "NaviPenG", 0},
    {kV, "NaviPenB", 0},
    {kV, "NaviPenStyle", 0},
    {kV, "NaviPenWide", 2},
    {kV, "TraceDarkPenR", 123},
    {kV, "TraceDarkPenG", 123},
    {kV, "TraceDarkPenB", 123},
    {kV, "TraceDarkPenWide", 2},
    {kV, "TraceCurrentPenR", 255},
    {kV, "TraceCurrentPenG", 0},
    {kV, "TraceCurrentPenB", 0},
    {kV, "TraceCurrentPenWide", 2},
    {kV, "TraceToolPenR", 255},
    {kV, "TraceToolPenG", 255},
    {kV, "TraceToolPenB", 0},
    {kV, "TraceToolPenStyle", 0},
    {kV, "TracetoolPenWide", 2},  // spelled with a lower-case t in every settings file
    {kI, "TorchColor_LaserOffR", 255},
    {kI, "TorchColor_LaserOffG", 255},
    {kI, "TorchColor_LaserOffB", 255},
    {kI, "TorchColor_LaserOnR", 255},
    {kI, "TorchColor_LaserOnG", 255},
    {kI, "TorchColor_LaserOnB", 0},
    {kI, "TorchColor_PonchR", 255},
    {kI, "TorchColor_PonchG", 128},
    {kI, "TorchColor_PonchB", 0},
    {kI, "TorchSize", 20},
    {kI, "SelectRouteColorR", 255},
    {kI, "SelectRouteColorG", 128},
    {kI, "SelectRouteColorB", 64},
    {kI, "IncmpProcRouteColorR", 255},
    {kI, "IncmpProcRouteColorG", 255},
    {kI, "IncmpProcRouteColorB", 0},
    {kI, "RoutePenWide", 2},
    {kI, "SkipLog_RouteColorR", 255},
    {kI, "SkipLog_RouteColorG", 255},
    {kI, "SkipLog_RouteColorB", 255},
    {kI, "SkipLog_RoutePenWide", 2},
    {kI, "TorchColor_SkipLogR", 255},
    {kI, "TorchColor_SkipLogG", 0},
    {kI, "TorchColor_SkipLogB", 0},
    {kV, "EdgeArrowPenR", 255},
    {kV, "EdgeArrowPenG", 255},
    {kV, "EdgeArrowPenB", 0},
    {kV, "EdgeArrowSize", 10},
    {kV, "FramePenR", 255},
    {kV, "FramePenG", 255},
    {kV, "FramePenB", 255},
    {kV, "FramePenStyle", 1},
    {kV, "FramePenWide", 1},
    {kV, "DangerousZonePenR", 255},
    {kV, "DangerousZonePenG", 0},
    {kV, "DangerousZonePenB", 0},
    {kV, "AcAxisPenR", 255},
    {kV, "AcAxisPenG", 255},
    {kV, "AcAxisPenB", 0},
    {kV, "AcAxisLength", 10},
    {kV, "MoveDirection", 1},
}};

}  // namespace

const std::array<ElemViewSettingKey, kElemViewSettingCount>& ElemViewSettingKeys() {
    return kKeys;
}

ElemViewSettings::ElemViewSettings() {
    for (size_t i = 0; i < kKeys.size(); ++i) Values[i] = kKeys[i].def;
}

ViewRgb ElemViewSettings::Colour(ElemViewSetting first) const {
    const size_t i = static_cast<size_t>(first);
    return {Values[i], Values[i + 1], Values[i + 2]};
}

CDtbInfo ElemViewSettings::Pen(ElemViewSetting colour, int penKind, int penWidth,
                               int classBits) const {
    const ViewRgb c = Colour(colour);
    CDtbInfo info;
    info.red = c.r;
    info.green = c.g;
    info.blue = c.b;
    info.penWidth = penWidth;
    info.penKind = penKind;
    info.classBits = classBits;
    return info;
}

int ElemViewSettings::Load(const std::filesystem::path& iniPath) {
    platform::ProfileFile profile;
    profile.Load(iniPath);
    for (size_t i = 0; i < kKeys.size(); ++i)
        Values[i] = profile.GetInt(kKeys[i].section, kKeys[i].key, kKeys[i].def);
    XyzAxisLength = profile.GetInt(kSectionElemView, "XyzAxisLength", 50);
    // Written back at once, so that a missing file or key appears with its value.
    platform::WriteProfileInt(kSectionElemView, "XyzAxisLength", XyzAxisLength, iniPath);
    return 1;
}

bool ElemViewSettings::Save16ILB(const std::filesystem::path& iniPath) const {
    // The order of the write-back, in which missing keys are appended: the skip-log torch
    // colour follows the punch torch colour there, not the skip-log route as in the block.
    struct Run {
        ElemViewSetting first;
        int count;
    };
    static constexpr Run kOrder[] = {
        {kTorchColorLaserOff, 3},  {kTorchColorLaserOn, 3}, {kTorchColorPonch, 3},
        {kTorchColorSkipLog, 3},   {kTorchSize, 1},         {kSelectRouteColor, 3},
        {kIncmpProcRouteColor, 3}, {kRoutePenWide, 1},      {kSkipLogRouteColor, 3},
        {kSkipLogRoutePenWide, 1},
    };
    platform::ProfileFile profile;
    profile.Load(iniPath);
    for (const Run& run : kOrder)
        for (int i = run.first; i < run.first + run.count; ++i) {
            const ElemViewSettingKey& k = kKeys[static_cast<size_t>(i)];
            profile.SetInt(k.section, k.key, Values[static_cast<size_t>(i)]);
        }
    return profile.Save(iniPath);
}
