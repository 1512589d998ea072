// Drawing attributes and length accounting of the reader's elements.
#include "nc/read/NcPens.h"

#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CToolData.h"
#include "nc/read/CNcRead.h"

namespace {

const CNcReadInfo& SettingsOf(const CNcRead& reader) {
    static const CNcReadInfo defaults;
    return reader.Settings ? *reader.Settings : defaults;
}

}  // namespace

CDtbInfo NcPenInfo(const CNcRead& reader, int classBits, const std::array<int, 3>& rgb) {
    const CNcReadInfo& s = SettingsOf(reader);
    const int pen = classBits == kDtbClassRapid  ? PenFF
                    : classBits == kDtbClassMark ? PenMark
                                                 : PenCut;
    CDtbInfo info;
    info.red = rgb[0];
    info.green = rgb[1];
    info.blue = rgb[2];
    info.penWidth = s.PenWide[static_cast<size_t>(pen)];
    info.penKind = s.PenKind[static_cast<size_t>(pen)];
    info.classBits = classBits;
    return info;
}

CDtbInfo NcRapidInfo(const CNcRead& reader) {
    return NcPenInfo(reader, kDtbClassRapid, SettingsOf(reader).Pen[PenFF]);
}

CDtbInfo NcFeedInfo(const CNcRead& reader) {
    const int cls = reader.State.CuttingOn != 0 ? kDtbClassCut : kDtbClassMark;
    const bool conditionColour =
        reader.Conditions != nullptr && reader.Conditions->DrawShavColor != 0;
    const auto& rgb = conditionColour
                          ? reader.State.ConditionRGB
                          : SettingsOf(reader).Pen[cls == kDtbClassCut ? PenCut : PenMark];
    return NcPenInfo(reader, cls, rgb);
}

void NcCountFeed(CNcReadState& state, double length, int classBits) {
    if (classBits == kDtbClassMark) {
        state.MarkLength += length;
    } else {
        state.CutLength += length;
    }
}

void NcCountPiece(CNcReadState& state, double length) {
    state.CutLength += length;
    if (state.CuttingOn == 0) state.MarkLength += length;
}
