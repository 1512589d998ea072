// Punch blocks: the hit or pattern of a punch program's block (single hits, lines, arcs,
// grids, nibbling, the code-202 line), drawn into the block's own elements as one "Punch"
// group that carries the punch information record.
#include <algorithm>
#include <cmath>
#include <memory>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbNode.h"
#include "nc/machine/CPunchTool.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcValues.h"
#include "nc/read/punch/PunchElements.h"
#include "nc/read/punch/PunchPlan.h"
#include "nc/read/punch/PunchStatus.h"

namespace {

// The die number of the tool in use into number: the die of the station the T word named, or
// of the tapping tool whose start code was met under T0. kPunchDone, or kPunchNoTool or
// kPunchNoDie when there is none. (The status is apart from the number: die number 1 is as
// good a die as any, though it equals kPunchNoTool.)
int ToolDieNumber(const CNcReadState& st, const CPunchTool* dies, int& number) {
    if (st.ToolNo > 0) {
        number = dies != nullptr ? dies->GetDieOfStation(st.ToolNo) : -1;
        return number < 0 ? kPunchNoDie : kPunchDone;
    }
    if (st.ToolNo < 0 || st.TapIndex < 0) return kPunchNoTool;
    // The tapping index is checked against the tools the arrangement gave.
    if (dies == nullptr || st.TapIndex >= std::min(dies->TapCount, kMaxTapTools)) {
        return kPunchNoDie;
    }
    number = dies->TapTools[static_cast<size_t>(st.TapIndex)].DieNumber;
    return number < 0 ? kPunchNoDie : kPunchDone;
}

// The first fields of every punch ElmInfo text: pattern type, tool number, the die's sizes and
// an angle.
NcElmInfo PunchElmInfo(int kind, const PunchInfo& info, int toolNo, const DieRecord& die,
                       double angle) {
    NcElmInfo e;
    e.kind = kind;
    e.Add(info.Type);
    e.Add(toolNo);
    e.Add(die.SizeX);
    e.Add(die.SizeY);
    e.Add(die.SizeR);
    e.Add(angle);
    return e;
}

// trunc(v) + 1 as a stroke count, or -1 when v is not a count an int holds.
int StrokeCount(double v) {
    if (!(std::fabs(v) < static_cast<double>(kPunchMaxHits))) return -1;
    return static_cast<int>(v) + 1;
}

}  // namespace

// One pattern block, expanded inside its group; fills the group's ElmInfo text.
class PunchPatternRun {
public:
    PunchPatternRun(CNcRead& reader, CDtbEngine& sink, const PunchPlan& plan, int dieIndex,
                    const DieRecord& die)
        : r_(reader),
          sink_(sink),
          plan_(plan),
          w_(plan.Words),
          dieIndex_(dieIndex),
          die_(die),
          target_(reader.State.TargetPos),
          modalC_(IsGiven(reader.State.ModalC) ? reader.State.ModalC : 0.0) {}

    // kPunchDone, or a negative status when the block is refused.
    int Expand() {
        if (plan_.Status != kPunchDone) return plan_.Status;
        switch (plan_.Code) {
            case -1:
                return Single();
            case 26:
                return Circle();
            case 28:
                return Line();
            case 29:
                return Arc();
            case 36:
                return GridRows();
            case 37:
                return GridColumns();
            case 66:
                return Shear();
            case 67:
                return Square();
            case 68:
            case 78:
                return NibbleArc();
            case 69:
            case 79:
                return NibbleLine();
            case 202:
                return Code202();
            default:
                return kPunchDone;
        }
    }
    bool HasElmInfo() const { return elmInfo_.kind != 0; }
    const NcElmInfo& ElmInfo() const { return elmInfo_; }

private:
    void Hit(double x, double y, double angle) {
        const CxyzData p(x, y, target_.z);
        r_.PunchHit(dieIndex_, p, angle, &sink_);
        lastHit_ = p;
    }
    NcElmInfo Info(int kind, double angle) const {
        return PunchElmInfo(kind, plan_.Info, r_.State.ToolNo, die_, angle);
    }

    int Single() {
        Hit(target_.x, target_.y, modalC_);
        elmInfo_ = Info(5, die_.Angle + modalC_);
        elmInfo_.Add(target_);
        return kPunchDone;
    }

    int Circle() {
        const int count = w_.KCount;
        const double step = 360.0 / count;
        const bool stepC = IsGiven(w_.C);
        double angle = modalC_;
        for (int i = 0; i < count; ++i) {
            const double a = i * step + w_.J;
            Hit(target_.x + w_.I * CosDeg(a), target_.y + w_.I * SinDeg(a), angle);
            if (stepC) angle += step;
        }
        elmInfo_ = Info(8, die_.Angle + angle);
        elmInfo_.Add(target_);
        elmInfo_.Add(w_.I);
        elmInfo_.Add(w_.J);
        elmInfo_.Add(w_.J + 360.0);
        elmInfo_.Add(step);
        elmInfo_.Add(count);
        return kPunchDone;
    }

    int Line() {
        lastHit_ = CxyzData(0.0, 0.0, 0.0);
        for (int i = 0; i < w_.KCount; ++i) {
            Hit(target_.x + CosDeg(w_.J) * w_.I * (i + 1),
                target_.y + SinDeg(w_.J) * w_.I * (i + 1), modalC_);
        }
        elmInfo_ = Info(6, die_.Angle + modalC_);
        elmInfo_.Add(target_);
        elmInfo_.Add(lastHit_);
        elmInfo_.Add(w_.J);
        elmInfo_.Add(w_.I);
        elmInfo_.Add(w_.KCount);
        return kPunchDone;
    }

    int Arc() {
        const bool stepC = IsGiven(w_.C);
        double angle = modalC_;
        for (int i = 0; i < w_.KCount; ++i) {
            const double a = i * w_.PLength + w_.J;
            Hit(target_.x + w_.I * CosDeg(a), target_.y + w_.I * SinDeg(a), angle);
            if (stepC) angle += w_.PLength;
        }
        elmInfo_ = Info(8, die_.Angle + angle);
        elmInfo_.Add(target_);
        elmInfo_.Add(w_.I);
        elmInfo_.Add(w_.J);
        elmInfo_.Add(w_.J + (w_.KCount - 1) * w_.PLength);
        elmInfo_.Add(w_.PLength);
        elmInfo_.Add(w_.KCount);
        return kPunchDone;
    }

    // Rows along X, run back and forth; the target point itself is not hit.
    int GridRows() {
        const int nx = w_.PCount;
        const int ny = w_.KCount;
        for (int row = 0; row <= ny; ++row) {
            for (int col = 0; col <= nx; ++col) {
                if (row == 0 && col == 0) continue;
                const double x =
                    row % 2 == 0 ? target_.x + col * w_.I : target_.x + nx * w_.I - col * w_.I;
                Hit(x, target_.y + row * w_.J, modalC_);
            }
        }
        return GridInfo();
    }

    // Columns along Y, run up and down.
    int GridColumns() {
        const int nx = w_.PCount;
        const int ny = w_.KCount;
        for (int col = 0; col <= nx; ++col) {
            for (int row = 0; row <= ny; ++row) {
                if (row == 0 && col == 0) continue;
                const double y =
                    col % 2 == 0 ? target_.y + row * w_.J : target_.y + ny * w_.J - row * w_.J;
                Hit(target_.x + col * w_.I, y, modalC_);
            }
        }
        return GridInfo();
    }

    int GridInfo() {
        elmInfo_ = Info(9, die_.Angle + modalC_);
        elmInfo_.Add(target_);
        elmInfo_.Add(w_.I);
        elmInfo_.Add(w_.J);
        elmInfo_.Add(w_.PCount);
        elmInfo_.Add(w_.KCount);
        return kPunchDone;
    }

    // The strips' texts take their values back from the record, rounded to single precision.
    int Shear() {
        CxyzData start, end;
        const int result = r_.PunchShear(dieIndex_, w_, &sink_, &start, &end);
        if (result != kPunchDone) return result;
        elmInfo_ = Info(7, die_.Angle + modalC_);
        elmInfo_.Add(start);
        elmInfo_.Add(end);
        elmInfo_.Add(plan_.Info.Values[0]);
        return kPunchDone;
    }

    int Square() {
        (void)r_.PunchSquare(dieIndex_, w_, &sink_);  // checks only; the record says it all
        return kPunchDone;
    }

    int NibbleLine() {
        const float j = plan_.Info.Values[0];
        const float q = plan_.Info.Values[1];
        const float i = plan_.Info.Values[3];
        // Counted before drawing, so that a count no int holds refuses the block untouched.
        const int count = q != 0.0f ? StrokeCount(i / q) : -1;
        if (count < 0 && IsGiven(w_.Q) && IsGiven(w_.I)) return kPunchZeroDivisor;
        CxyzData start, end;
        const int result = r_.PunchNibbleLine(dieIndex_, w_, &sink_, &start, &end);
        if (result != kPunchDone) return result;
        elmInfo_ = Info(6, die_.Angle);
        elmInfo_.Add(start);
        elmInfo_.Add(end);
        elmInfo_.Add(j);
        elmInfo_.Add(q);
        elmInfo_.Add(count);
        return kPunchDone;
    }

    int NibbleArc() {
        const float i = plan_.Info.Values[0];
        const float j = plan_.Info.Values[1];
        const float k = plan_.Info.Values[2];
        const float q = plan_.Info.Values[3];
        const float endAngle = j + k;
        // The angle one pitch spans on the inner radius.
        const double pitch = i != 0.0f ? q * 360.0 / (i * 2.0 * 3.141592653589793) : 0.0;
        const int count = pitch != 0.0 ? StrokeCount(std::fabs(k / pitch)) : -1;
        if (count < 0 && IsGiven(w_.Q) && IsGiven(w_.I) && IsGiven(w_.K)) {
            return kPunchZeroDivisor;
        }
        const int result = r_.PunchNibbleArc(dieIndex_, w_, &sink_);
        if (result != kPunchDone) return result;
        elmInfo_ = Info(8, die_.Angle);
        elmInfo_.Add(target_);
        elmInfo_.Add(i);
        elmInfo_.Add(j);
        elmInfo_.Add(endAngle);
        elmInfo_.Add(pitch);
        elmInfo_.Add(count);
        return kPunchDone;
    }

    int Code202() {
        CxyzData start, end;
        double angle = 0.0;
        const int result = r_.PunchCode202(dieIndex_, w_, &sink_, &start, &end, &angle);
        if (result != kPunchDone) return result;
        elmInfo_ = Info(6, die_.Angle);
        elmInfo_.Add(start);
        elmInfo_.Add(end);
        elmInfo_.Add(angle);
        elmInfo_.Add(0.0);
        elmInfo_.Add(1);
        return kPunchDone;
    }

    CNcRead& r_;
    CDtbEngine& sink_;
    const PunchPlan& plan_;
    const NcBlockWords& w_;
    int dieIndex_;
    const DieRecord& die_;
    CxyzData target_;
    double modalC_;  // the C angle of the hits; an absent angle counts as 0
    CxyzData lastHit_;
    NcElmInfo elmInfo_;
};

int CNcRead::PunchPattern(int code, const NcBlockWords& words, CDtbEngine* elements) {
    if (code != -1 && !IsPunchPatternCode(code)) return kPunchDone;
    int dieNumber = -1;
    if (const int status = ToolDieNumber(State, Dies, dieNumber); status != kPunchDone)
        return status;
    const int dieIndex = Dies->FindDieIndex(dieNumber);
    const DieRecord* die = punch::DieAt(Dies, dieIndex);
    if (die == nullptr) return kPunchNoDie;
    if (elements == nullptr) return kPunchDone;

    const PunchPlan plan = MakePunchPlan(code, words, *die, dieIndex, State.TargetPos);
    const PunchInfo::Bytes record = plan.Info.ToBytes();
    auto* node = elements->Append(std::make_unique<CDtbNode>(
        kDtbOwnerTessmark.data(), kDtbOwnerTessmark.size(), kDtbKindPunch.data(),
        kDtbKindPunch.size(), record.data(), record.size()));
    if (elements->NodeUp(node) != 1) {
        elements->DeleteDtb(node, node, 1);
        return kPunchRefused;
    }
    punch::AddLineNoText(*node, LineNo);

    PunchPatternRun run(*this, *elements, plan, dieIndex, *die);
    const int result = run.Expand();
    if (result < 0) {
        // Nothing was drawn or changed: the routines refuse before their first element.
        elements->NodeDown();
        elements->DeleteDtb(node, node, 1);
        return kPunchRefused;
    }
    if (run.HasElmInfo()) AddElmInfoText(node->attributes, run.ElmInfo());
    elements->NodeDown();
    return kPunchDone;
}
