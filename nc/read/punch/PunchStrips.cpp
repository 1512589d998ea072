// Line punching, nibbling along lines and arcs, and the code-202 line: a worked strip drawn
// once as its outline (first and last stroke, edges), not stroke by stroke.
#include <cmath>
#include <initializer_list>
#include <memory>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "nc/machine/DieRecords.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcValues.h"
#include "nc/read/punch/PunchElements.h"
#include "nc/read/punch/PunchOutline.h"
#include "nc/read/punch/PunchPens.h"
#include "nc/read/punch/PunchStatus.h"

namespace {

// The smallest pitch or radius a strip may divide by.
constexpr double kMinDivisor = 0.001;

CxyzData Dir(double angle) {
    return CxyzData(CosDeg(angle), SinDeg(angle), 0.0);
}
CxyzData Scaled(const CxyzData& d, double f) {
    return CxyzData(d.x * f, d.y * f, 0.0);
}

bool AllGiven(std::initializer_list<double> words) {
    for (double w : words)
        if (!IsGiven(w)) return false;
    return true;
}

// Appends a line of the outline.
void OutlineLine(CDtbEngine& sink, const CxyzData& a, const CxyzData& b, const CDtbInfo& pen) {
    sink.Append(std::make_unique<CDtbLine>(a, b, pen));
}

}  // namespace

int CNcRead::PunchShear(int dieIndex, const NcBlockWords& w, CDtbEngine* sink, CxyzData* start,
                        CxyzData* end) {
    if (punch::DieAt(Dies, dieIndex) == nullptr || sink == nullptr) return kPunchNoDie;
    if (!AllGiven({w.I, w.J, w.PLength, w.Q})) return kPunchMissingWord;
    const CxyzData s = State.TargetPos;
    const CxyzData d = Dir(w.J);
    const CxyzData n = Dir(w.J + 90.0);
    const double dieLength = std::fabs(w.PLength);
    const double length = std::fabs(w.I);
    const CxyzData c1 = s + Scaled(n, w.Q / 2.0) + Scaled(d, dieLength / 2.0);

    punch::RapidApproach(*this, *sink, c1);
    punch::StrokeMark(*this, *sink, c1);
    CDtbNode* group = punch::OpenGroup(*this, *sink, kDtbKindPunch1);
    const CDtbInfo pen = PunchPen(punch::SettingsOf(*this));
    const CxyzData q0 = s;
    const CxyzData q1 = s + Scaled(n, w.Q);
    const CxyzData q2 = q1 + Scaled(d, length);
    const CxyzData q3 = s + Scaled(d, length);
    OutlineLine(*sink, q0, q1, pen);
    OutlineLine(*sink, q1, q2, pen);
    OutlineLine(*sink, q2, q3, pen);
    OutlineLine(*sink, q3, q0, pen);
    // Where the first stroke ends and the last one begins.
    const CxyzData stroke = Scaled(d, dieLength);
    OutlineLine(*sink, q0 + stroke, q1 + stroke, pen);
    OutlineLine(*sink, q2 - stroke, q3 - stroke, pen);
    if (start) *start = q0;
    if (end) *end = q3;
    // The centre of the last stroke. It takes I with its sign, where the outline takes |I|: a
    // negative I leaves the tool outside the drawn strip, as the trace expects it.
    State.LastElementEnd = c1 + Scaled(d, w.I - dieLength);
    if (group) sink->NodeDown();
    return kPunchDone;
}

int CNcRead::PunchNibbleLine(int dieIndex, const NcBlockWords& w, CDtbEngine* sink, CxyzData* start,
                             CxyzData* end) {
    const DieRecord* die = punch::DieAt(Dies, dieIndex);
    if (die == nullptr || sink == nullptr) return kPunchNoDie;
    if (!AllGiven({w.I, w.J, w.PLength, w.Q})) return kPunchMissingWord;
    // The stroke count of the slot divides by the pitch.
    if (std::fabs(w.Q) < kMinDivisor) return kPunchZeroDivisor;
    const CxyzData s = State.TargetPos;
    const CxyzData d = Dir(w.J);
    const CxyzData n = Dir(w.J + 90.0);
    const CxyzData c1 = s + Scaled(n, w.PLength / 2.0);
    const CxyzData c2 = c1 + Scaled(d, std::fabs(w.I));

    punch::RapidApproach(*this, *sink, c1);
    punch::StrokeMark(*this, *sink, c1);
    CDtbNode* group = punch::OpenGroup(*this, *sink, kDtbKindPunch1);
    const CDtbInfo pen = PunchPen(punch::SettingsOf(*this));
    const double r = die->SizeX / 2.0;  // the die's X whatever its shape
    AppendPunchCircle(*sink, c1, r, pen);
    AppendPunchCircle(*sink, c2, r, pen);
    State.LastElementEnd = c2;
    const CxyzData off = Scaled(n, r);
    OutlineLine(*sink, c1 - off, c2 - off, pen);
    OutlineLine(*sink, c1 + off, c2 + off, pen);
    if (start) *start = c1 - off;
    if (end) *end = c2 - off;
    if (group) sink->NodeDown();
    return kPunchDone;
}

int CNcRead::PunchNibbleArc(int dieIndex, const NcBlockWords& w, CDtbEngine* sink) {
    const DieRecord* die = punch::DieAt(Dies, dieIndex);
    if (die == nullptr || sink == nullptr) return kPunchNoDie;
    if (die->Shape != kShapeRound && die->Shape != kShapeSquare && die->Shape != kShapeRectangle) {
        return kPunchNoDie;
    }
    if (!AllGiven({w.I, w.J, w.PLength, w.Q, w.K})) return kPunchMissingWord;
    // The stroke count divides by the pitch and by the radius.
    if (std::fabs(w.Q) < kMinDivisor || std::fabs(w.I) < kMinDivisor) return kPunchZeroDivisor;
    const CxyzData s = State.TargetPos;
    const double strokeRadius = w.I + w.PLength / 2.0;
    const CxyzData c1 = s + Scaled(Dir(w.J), strokeRadius);
    const CxyzData c2 = s + Scaled(Dir(w.J + w.K), strokeRadius);

    punch::RapidApproach(*this, *sink, c1);
    punch::StrokeMark(*this, *sink, c1);
    CDtbNode* group = punch::OpenGroup(*this, *sink, kDtbKindPunch1);
    const CDtbInfo pen = PunchPen(punch::SettingsOf(*this));
    if (die->Shape == kShapeRound) {
        AppendPunchCircle(*sink, c1, die->SizeX / 2.0, pen);
        AppendPunchCircle(*sink, c2, die->SizeX / 2.0, pen);
    } else {
        // The die stands across the band; its own angle and the C angle play no part.
        const double hx = die->SizeX / 2.0;
        const double hy = die->Shape == kShapeSquare ? hx : die->SizeY / 2.0;
        AppendDieRectangle(*sink, c1, hx, hy, w.J + 90.0, pen);
        AppendDieRectangle(*sink, c2, hx, hy, w.J + w.K + 90.0, pen);
    }
    State.LastElementEnd = c2;
    for (const double radius : {w.I, w.I + w.PLength}) {
        double a0 = w.K > 0.000001 ? w.J : w.J + w.K;
        double a1 = w.K > 0.000001 ? w.J + w.K : w.J;
        NormalizeArcSweep(0, &a0, &a1, radius);
        sink->Append(std::make_unique<CDtbArc>(s, radius, a0, a1, 0, pen));
    }
    if (group) sink->NodeDown();
    return kPunchDone;
}

int CNcRead::PunchCode202(int dieIndex, const NcBlockWords& w, CDtbEngine* sink, CxyzData* start,
                          CxyzData* end, double* angle) {
    if (!AllGiven({w.X, w.Y, w.I, w.J})) return kPunchMissingWord;
    const CxyzData s = State.TargetPos;
    const double a = Atan2Deg(w.J - w.Y, w.I - w.X);
    const CxyzData e = s + CxyzData(w.I - w.X, w.J - w.Y, 0.0);
    if (angle) *angle = a;
    if (start) *start = s;
    if (end) *end = e;
    if (punch::DieAt(Dies, dieIndex) == nullptr || sink == nullptr) return kPunchNoDie;
    const CxyzData m1 = s + Scaled(Dir(a), 80.0);
    const CxyzData m2 = e + Scaled(Dir(a - 180.0), 80.0);

    punch::RapidApproach(*this, *sink, s);
    punch::StrokeMark(*this, *sink, s);
    CDtbNode* group = punch::OpenGroup(*this, *sink, kDtbKindPunch2);
    const CDtbInfo pen = PunchPen(punch::SettingsOf(*this));
    // Two end pieces 80 long and the part between them; on a line shorter than 160 the middle
    // piece runs backwards, and is drawn so.
    OutlineLine(*sink, s, m1, pen);
    OutlineLine(*sink, m1, m2, pen);
    OutlineLine(*sink, m2, e, pen);
    State.LastElementEnd = e;
    if (group) sink->NodeDown();
    return kPunchDone;
}

int CNcRead::PunchSquare(int dieIndex, const NcBlockWords& w, CDtbEngine* sink) const {
    (void)sink;
    if (!AllGiven({w.I, w.J, w.Q})) return kPunchMissingWord;
    if (dieIndex < 0) return kPunchNoDie;
    return kPunchDone;
}
