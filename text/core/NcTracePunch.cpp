// The punch-pattern animation of the trace: a block's punch groups drawn hit by hit, laid-out
// patterns replayed, shear and nibbling strips laid out here, in one cell or in every cell of
// a multi-part repetition.
#include <memory>
#include <optional>

#include "kernel/db/CDtbNode.h"
#include "nc/machine/DieRecords.h"
#include "nc/read/punch/PunchElements.h"
#include "nc/read/punch/PunchInfo.h"
#include "nc/read/punch/PunchOutline.h"
#include "nc/read/punch/PunchPens.h"
#include "text/core/NcPunchPattern.h"
#include "text/core/NcTextViewSettings.h"
#include "text/core/NcTraceEngine.h"

namespace {

// Appends the lines of a closed loop through the four corners.
void AppendLoop(CDtbEngine& sink, const std::array<CxyzData, 4>& corners, const CDtbInfo& pen) {
    for (size_t i = 0; i < corners.size(); ++i)
        sink.Append(std::make_unique<CDtbLine>(corners[i], corners[(i + 1) % 4], pen));
}

}  // namespace

int NcTraceEngine::ExpandPunchPattern(CDtbNode* group) {
    if (group == nullptr || !group->Is(kDtbOwnerTessmark, kDtbKindPunch)) return -1;
    // The record is read through its own reader, which checks the length and the name.
    const std::optional<PunchInfo> info =
        PunchInfo::FromBytes(group->GetData(), CDtbNode::kDataSize);
    if (!info) return -1;
    // A copy made for a later cell: the first cell's group shows every cell.
    if (group->GetOption(5) != 0) return -1;
    // Escape during a pattern is the animation's alone.
    onArc_ = false;
    keyStop_ = false;
    CDtbElement* first = group->firstChild;
    int ended = 0;
    switch (info->Type) {
        case kPunchSingle:
        case kPunchLine:
        case kPunchCircle:
        case kPunchArc:
        case kPunchGridRows:
        case kPunchGridColumns:
        case kPunchCode202:
            ended = ExpandGridPattern(first);
            break;
        case kPunchShear:
            ended = ExpandPattern6(first, info->Values);
            break;
        case kPunchNibbleLine:
            ended = ExpandPattern8(first, info->Values);
            break;
        case kPunchNibbleArc: {
            const double centre[2] = {info->X, info->Y};
            ended =
                ExpandPattern7(first, info->Values, static_cast<int16_t>(info->DieIndex), centre);
            break;
        }
        default:  // the square (10) and unknown types draw nothing during the trace
            return -1;
    }
    return ended != 0 ? -2 : 0;
}

std::vector<PunchCell> NcTraceEngine::VisitedCells(const PunchCells& cells) const {
    if (settings_.ManyEveryPart == 1) return cells.Order();
    return {PunchCell{}};
}

void NcTraceEngine::AppendInCells(CDtbEngine& out, const CDtbElement* chain, bool onlyOne,
                                  const PunchCells& cells, PunchCell cell) const {
    CDtbElement* last = CDtbEngine::FindLastElement(out.GetFirstElement());
    auto add = [&](PunchCell at) {
        out.AppendDtb1(chain, onlyOne ? 1 : 0);
        CDtbElement* added = last ? last->link.next : out.GetFirstElement();
        if (added == nullptr) return;
        const CxyzData offset = cells.Offset(at);
        if (offset.x != 0.0 || offset.y != 0.0) CDtbEngine::Offset(added, offset);
        last = CDtbEngine::FindLastElement(added);
    };
    add(cell);
    // One drawing step shows the same hit in every cell at once.
    if (settings_.ManyEveryPart != 1)
        for (PunchCell other : cells.Order())
            if (!(other == cell)) add(other);
}

bool NcTraceEngine::PatternBreak(bool pause) {
    // The pauses of the patterns apply in step mode too. A Cancel served meanwhile has emptied
    // the block: the pattern ends before it touches its group again.
    if (pause) {
        const int ms = SpeedPause();
        if (ms > 0) pump_->Pause(ms);
        if (keyStop_ || host_.TraceActive() == 0) return true;
    }
    if (!pump_->Pump()) return true;
    return keyStop_ || host_.TraceActive() == 0;
}

int NcTraceEngine::ExpandGridPattern(CDtbElement* first) {
    const PunchCells cells = PunchCells::Of(first);
    for (PunchCell cell : VisitedCells(cells)) {
        for (CDtbElement* e = first; e != nullptr; e = e->link.next) {
            CDtbEngine step;
            AppendInCells(step, e, true, cells, cell);
            host_.DrawTraceStepInViews(&step);
            const auto* node = DtbCast<CDtbNode>(e);
            if (PatternBreak(node && node->Is(kDtbOwnerTessmark, kDtbKindPunch1))) return 1;
        }
    }
    return 0;
}

int NcTraceEngine::LayOutHits(
    CDtbElement* first, const std::vector<PunchTraceHit>& hits,
    const std::function<void(CDtbEngine&, const PunchTraceHit&)>& outline) {
    if (hits.empty() || DtbCast<CDtbLine>(first) == nullptr) return 0;
    const PunchCells cells = PunchCells::Of(first);
    const CNcReadInfo& machine = punch::SettingsOf(Reader);
    const CDtbInfo rapid = RapidPen(machine);
    const size_t n = hits.size();
    for (PunchCell cell : VisitedCells(cells)) {
        if (cell == PunchCell{}) {
            // The approach line, in the first cell only.
            CDtbEngine step;
            step.AppendDtb1(first, 1);
            host_.DrawTraceStepInViews(&step);
        }
        for (size_t h = 0; h < n; ++h) {
            CDtbEngine piece;
            if (h > 0)
                piece.Append(std::make_unique<CDtbLine>(hits[h - 1].centre, hits[h].centre, rapid));
            auto* group = piece.Append(std::make_unique<CDtbNode>(
                kDtbOwnerTessmark.data(), kDtbOwnerTessmark.size(), kDtbKindPunch1.data(),
                kDtbKindPunch1.size(), nullptr, 0));
            piece.NodeUp(group);
            outline(piece, hits[h]);
            piece.NodeDown();
            CDtbEngine step;
            AppendInCells(step, piece.GetFirstElement(), false, cells, cell);
            host_.DrawTraceStepInViews(&step);
            const bool pause = h == 0 || h == n - 1 || settings_.TraceOnlyStartEndStop != 1;
            if (PatternBreak(pause)) return 1;
        }
    }
    return 0;
}

int NcTraceEngine::ExpandPattern6(CDtbElement* first, const std::array<float, 5>& values) {
    const auto* approach = DtbCast<CDtbLine>(first);
    if (approach == nullptr) return 0;
    const double d1 = values[2], d2 = values[3];
    const std::vector<PunchTraceHit> hits = ShearLineHits(
        approach->end, values[0], d1, d2, values[4], punch::SettingsOf(Reader).SHL_OverMin);
    const CDtbInfo pen = PunchPen(punch::SettingsOf(Reader));
    return LayOutHits(first, hits, [&](CDtbEngine& sink, const PunchTraceHit& hit) {
        AppendLoop(sink, ShearOutlineCorners(hit, d1, d2), pen);
    });
}

int NcTraceEngine::ExpandPattern8(CDtbElement* first, const std::array<float, 5>& values) {
    const auto* approach = DtbCast<CDtbLine>(first);
    if (approach == nullptr) return 0;
    // Angle, pitch, tool diameter and length (the record's type-8 block).
    const double diameter = std::fabs(values[2]);
    const std::vector<PunchTraceHit> hits =
        NibbleLineHits(approach->end, values[0], values[1], diameter, values[3]);
    const CDtbInfo pen = PunchPen(punch::SettingsOf(Reader));
    return LayOutHits(first, hits, [&](CDtbEngine& sink, const PunchTraceHit& hit) {
        AppendPunchCircle(sink, hit.centre, diameter / 2.0, pen);
    });
}

int NcTraceEngine::ExpandPattern7(CDtbElement* first, const std::array<float, 5>& values,
                                  int dieIndex, const double centre[2]) {
    // The die index is checked against the table: a record from other die data, or a
    // damaged one, draws nothing.
    const DieRecord* die = punch::DieAt(Reader.Dies, dieIndex);
    if (die == nullptr ||
        (die->Shape != kShapeRound && die->Shape != kShapeSquare && die->Shape != kShapeRectangle))
        return 0;
    const std::vector<PunchTraceHit> hits =
        NibbleArcHits(centre[0], centre[1], values[0], values[1], values[2], values[3], values[4]);
    const CDtbInfo pen = PunchPen(punch::SettingsOf(Reader));
    const double sizeX = die->SizeX;
    // A square die is X by X, as the reader draws it.
    const double sizeY = die->Shape == kShapeSquare ? die->SizeX : die->SizeY;
    const bool round = die->Shape == kShapeRound;
    return LayOutHits(first, hits, [&](CDtbEngine& sink, const PunchTraceHit& hit) {
        if (round)
            AppendPunchCircle(sink, hit.centre, sizeX / 2.0, pen);
        else
            AppendLoop(sink, DieOutlineCorners(hit, sizeX, sizeY), pen);
    });
}
