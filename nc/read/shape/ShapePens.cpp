// Pens, head angles and length accounting shared by the shape cycles, the laser shapes and the
// three-point arcs.
#include "nc/read/shape/ShapePens.h"

#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CToolData.h"
#include "nc/read/CNcRead.h"

namespace {

const CNcReadInfo& SettingsOf(const CNcRead& reader) {
    static const CNcReadInfo defaults;
    return reader.Settings != nullptr ? *reader.Settings : defaults;
}

CDtbInfo PenInfo(const CNcReadInfo& s, int pen, int classBits, const std::array<int, 3>& rgb) {
    CDtbInfo info;
    info.red = rgb[0];
    info.green = rgb[1];
    info.blue = rgb[2];
    info.penWidth = s.PenWide[static_cast<size_t>(pen)];
    info.penKind = s.PenKind[static_cast<size_t>(pen)];
    info.classBits = classBits;
    return info;
}

}  // namespace

CDtbInfo ShapeFeedInfo(const CNcRead& reader) {
    const CNcReadInfo& s = SettingsOf(reader);
    const bool cutting = reader.State.CuttingOn != 0;
    const int pen = cutting ? PenCut : PenMark;
    const bool conditionColour =
        reader.Conditions != nullptr && reader.Conditions->DrawShavColor != 0;
    const std::array<int, 3>& rgb =
        conditionColour ? reader.State.ConditionRGB : s.Pen[static_cast<size_t>(pen)];
    return PenInfo(s, pen, cutting ? kDtbClassCut : kDtbClassMark, rgb);
}

CDtbInfo ShapeRapidInfo(const CNcRead& reader) {
    const CNcReadInfo& s = SettingsOf(reader);
    return PenInfo(s, PenFF, kDtbClassRapid, s.Pen[PenFF]);
}

double FrameHeadAngle(double modal) {
    return IsGiven(modal) ? modal : 0.0;
}

void CountShapePiece(CNcReadState& state, double length) {
    state.CutLength += length;
    if (state.CuttingOn == 0) state.MarkLength += length;
}

void CountShapeFeed(CNcReadState& state, double length) {
    if (state.CuttingOn == 0) {
        state.MarkLength += length;
    } else {
        state.CutLength += length;
    }
}
