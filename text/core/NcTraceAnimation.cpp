// The trace animation: the torch mark moved along the block shown last, the pauses of the
// speed, the events served between the points, and the torch mark's outline.
#include <algorithm>
#include <cmath>
#include <memory>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbNode.h"
#include "nc/machine/CNcReadInfo.h"
#include "text/core/NcTextViewSettings.h"
#include "text/core/NcTraceEngine.h"

namespace {

constexpr double kNoToolBelow = 0.001;  // a diameter or height smaller than this is none
constexpr double kDefaultStep = 10.0;   // the step (and torch diameter) without a tool

// A later cell of a multi-part repetition (its option words 1 and 2 hold the cell).
bool InLaterCell(const CDtbElement& e) {
    return e.GetOption(1) != 0 || e.GetOption(2) != 0;
}

}  // namespace

int NcTraceEngine::SpeedPause() const {
    const int ms = host_.TraceTime() == 0   ? settings_.WeightTimeH
                   : host_.TraceTime() == 2 ? settings_.WeightTimeL
                                            : settings_.WeightTimeM;
    return std::max(ms, 0);
}

int NcTraceEngine::PauseFor(PauseKind kind) const {
    const int speed = SpeedPause();
    // Rapids pass quickly at every speed but the fastest, which has no pause at all.
    if (kind == PauseKind::Rapid) return speed == 0 ? 0 : std::max(settings_.WeightTimeFF, 0);
    return speed;
}

bool NcTraceEngine::OnAnimationKey(NcTracePump::Key key) {
    if (key == NcTracePump::Key::Space) {
        // Pause: this step completes and posts no next one.
        host_.RunMode() = 0;
        return true;
    }
    CancelTrace();
    keyStop_ = true;
    // On a line the key is consumed; on an arc it goes on like any other key.
    return !onArc_;
}

bool NcTraceEngine::AnimatePath(const NcTracePath& path, bool torch, PauseKind kind, bool arc) {
    onArc_ = arc;
    for (int i = 0; i < path.Count(); ++i) {
        const CxyzData point = path.Point(i);
        if (torch) DrawTorchMark(&point);
        // The speed is read at every pause: a change acts within the run.
        if (host_.RunMode() != 0) {
            const int ms = PauseFor(kind);
            if (ms > 0) pump_->Pause(ms);
            if (keyStop_ || host_.TraceActive() == 0) return false;
        }
        if (!pump_->Pump()) return false;
        if (keyStop_ || host_.TraceActive() == 0) return false;
    }
    return true;
}

int NcTraceEngine::AnimateBlock() {
    const int kind = Reader.GetNcType();
    const bool laser = kind == kNcTypeLaser;
    const bool punch = kind == kNcTypePunch;
    double base = Reader.State.ConditionDiameter;
    if (std::fabs(base) < kNoToolBelow) base = kDefaultStep;
    const int rapidPen = Reader.Settings ? Reader.Settings->PenKind[PenFF] : -1;
    const bool everyCell = settings_.ManyEveryPart == 1;

    keyStop_ = false;
    NcTracePump* pump = pump_;
    pump->Begin([this](NcTracePump::Key key) { return OnAnimationKey(key); });
    struct EndPump {
        NcTracePump* pump;
        ~EndPump() { pump->End(); }
    } end{pump};

    for (CDtbElement* e = BlockElements.GetFirstElement(); e != nullptr;) {
        bool go = true;
        if (auto* node = DtbCast<CDtbNode>(e)) {
            if (node->Is(kDtbOwnerTessmark, kDtbKindPunch)) go = ExpandPunchPattern(node) != -2;
        } else if (auto* line = DtbCast<CDtbLine>(e)) {
            if (!punch && (everyCell || !InLaterCell(*line))) {
                const bool rapid = line->info.penKind == rapidPen;
                go = AnimatePath(NcTracePath::Line(*line, rapid ? 5.0 * base : base), laser,
                                 rapid ? PauseKind::Rapid : PauseKind::Line, false);
            }
        } else if (auto* arc = DtbCast<CDtbArc>(e)) {
            if (!punch && (everyCell || !InLaterCell(*arc)))
                go = AnimatePath(NcTracePath::Arc(*arc, base), laser, PauseKind::Arc, true);
        }
        // A trace that ended meanwhile has emptied BlockElements: e is gone.
        if (!go || host_.TraceActive() == 0) break;
        e = e->link.next;
    }
    return 0;
}

int NcTraceEngine::DrawTorchMark(const CxyzData* position) {
    if (!position || SpeedPause() == 0) return 0;
    const CxyzData& p = *position;
    if (std::fabs(p.x - LastTorchPos.x) < kNoToolBelow &&
        std::fabs(p.y - LastTorchPos.y) < kNoToolBelow &&
        std::fabs(p.z - LastTorchPos.z) < kNoToolBelow)
        return 0;
    LastTorchPos = p;

    const double diameter = Reader.State.ConditionDiameter;
    const double height = Reader.State.ConditionHeight;
    const double r = (std::fabs(diameter) < kNoToolBelow ? kDefaultStep : diameter) / 2.0;
    CDtbInfo info;
    info.red = settings_.TraceToolPen[0];
    info.green = settings_.TraceToolPen[1];
    info.blue = settings_.TraceToolPen[2];
    info.penKind = settings_.TraceToolPenStyle;
    info.penWidth = settings_.TraceToolPenWidth;
    info.classBits = kDtbClassToolMark;

    tool_.Empty();
    if (std::fabs(height) >= kNoToolBelow) {
        // The eight edges of the tool's side, from the tip circle to the top circle.
        for (int k = 0; k < 8; ++k) {
            const double a = 45.0 * k + 5.0;
            const double dx = r * CosDeg(a), dy = r * SinDeg(a);
            tool_.Append(std::make_unique<CDtbLine>(CxyzData(p.x + dx, p.y + dy, p.z),
                                                    CxyzData(p.x + dx, p.y + dy, p.z + height),
                                                    info));
        }
        for (double level : {1.0, 0.9})
            tool_.Append(std::make_unique<CDtbArc>(CxyzData(p.x, p.y, p.z + level * height), r, 0.0,
                                                   360.0, 0, info));
    }
    tool_.Append(std::make_unique<CDtbArc>(p, r, 0.0, 360.0, 0, info));
    const bool noTool = std::fabs(diameter) < kNoToolBelow && std::fabs(height) < kNoToolBelow;
    host_.SetToolLayerInViews(&tool_, noTool ? 1 : 0);
    return 0;
}
