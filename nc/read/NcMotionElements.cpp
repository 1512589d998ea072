// Motion elements: rapid, linear with corner radii, circular by R or centre words, and the
// "G08 D" circle, with their pens, lengths and attribute texts.
#include <algorithm>
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/geom/CCalculate.h"
#include "kernel/geom/CVectoMatrix.h"
#include "kernel/geom/PlaneGeometry.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CToolData.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcBlockInterpreter.h"
#include "nc/read/NcPens.h"
#include "nc/read/NcPointMath.h"

namespace {

bool SameExactly(const CxyzData& a, const CxyzData& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

Vec3 V(const CxyzData& p) {
    return {p.x, p.y, p.z};
}
CxyzData P(const Vec3& v) {
    return CxyzData(v[0], v[1], v[2]);
}

// A head angle that no block gave counts as 0 when a head matrix is built: the absent marker
// itself (-9999.99 degrees) would tilt a flat program's circles by some 80 degrees.
double HeadAngle(double modal) {
    return IsGiven(modal) ? modal : 0.0;
}

CDtbNode* NewDividedArcNode() {
    return new CDtbNode(kDtbOwnerTessmark.data(), kDtbOwnerTessmark.size(),
                        kDtbKindDevideArc.data(), kDtbKindDevideArc.size(), nullptr, 0);
}

// Point of a circle of radius r at angle deg about centre, in the plane of the matrix m
// (rows), at height z in that plane.
CxyzData OnCircle(const CxyzData& centre, const Mat3& m, double r, double deg, double z) {
    double x = r * CosDeg(deg), y = r * SinDeg(deg), h = z;
    const double rows[9] = {m[0][0], m[0][1], m[0][2], m[1][0], m[1][1],
                            m[1][2], m[2][0], m[2][1], m[2][2]};
    MultiplyMatrix3Point(&x, &y, &h, rows);
    return CxyzData(centre.x + x, centre.y + y, centre.z + h);
}

// The point halfway along the corner arc of radius r about centre from t1 to t2 (the arc is
// shorter than a half circle).
CxyzData CornerArcMiddle(const CxyzData& centre, const CxyzData& t1, const CxyzData& t2, double r) {
    const CxyzData sum = (t1 - centre) + (t2 - centre);
    const double length = std::sqrt(sum.x * sum.x + sum.y * sum.y + sum.z * sum.z);
    if (length < 1e-12) return t1;
    const double k = std::fabs(r) / length;
    return CxyzData(centre.x + sum.x * k, centre.y + sum.y * k, centre.z + sum.z * k);
}

}  // namespace

CDtbInfo NcBlockInterpreter::RapidInfo() const {
    return NcRapidInfo(r_);
}

CDtbInfo NcBlockInterpreter::FeedInfo() const {
    return NcFeedInfo(r_);
}

void NcBlockInterpreter::CountFeed(double length, int classBits) {
    NcCountFeed(st_, length, classBits);
}

void NcBlockInterpreter::CountPiece(double length) {
    NcCountPiece(st_, length);
}

NcHookFlow NcBlockInterpreter::Motion() {
    const int code = r_.BlockGroups[0];
    switch (code) {
        case 0:
            return Rapid();
        case 1:
            return Linear();
        case 2:
        case 3:
            return Circular(code);
        case 8:
            return Circle();
        case 111:
        case 112:
            FlushHeldLine();
            (void)r_.ExpandShapeCycle(code, db_);
            return kFlowContinue;
        default:
            return kFlowContinue;
    }
}

NcHookFlow NcBlockInterpreter::Rapid() {
    if (SameExactly(st_.TargetPos, st_.LastElementEnd)) return kFlowToDispatch;
    FlushHeldLine();
    auto* line = new CDtbLine(st_.LastElementEnd, st_.TargetPos, RapidInfo(), HeadA(), HeadC());
    const NcElmInfo info = LineElmInfo(*line);
    AddElementTexts(*line, r_.LineNo, r_.PartNo, &info);
    db_->AppendDtb(line);
    st_.RapidLength += line->GetElementLength3D();
    st_.LastElementEnd = st_.TargetPos;
    st_.PrevCode = 0;
    return kFlowContinue;
}

// The held line, drawn up to end (its corner point for a sharp corner) with the given head
// angles and its own block's line number.
static void EmitHeld(CDtbEngine& db, const NcHeldLine& held, const CxyzData& end,
                     const CDtbInfo& info, float a, float c, int lineNo, int partNo,
                     double& length) {
    auto* line = new CDtbLine(held.Start, end, info, a, c);
    const NcElmInfo text = LineElmInfo(*line);
    AddElementTexts(*line, lineNo, partNo, &text);
    db.AppendDtb(line);
    length = line->GetElementLength3D();
}

void NcBlockInterpreter::FlushHeldLine() {
    if (st_.HeldLineValid == 0) return;
    st_.HeldLineValid = 0;
    const NcHeldLine& held = st_.HeldLine;
    double length = 0.0;
    EmitHeld(*db_, held, held.End, held.Info, held.HeadAngleA, held.HeadAngleC, r_.HeldLineNo,
             r_.PartNo, length);
    CountFeed(length, held.Info.classBits);
}

void NcBlockInterpreter::ResolveCorner(CDtbLine& line) {
    const NcHeldLine held = st_.HeldLine;
    // A held line that does not end where this line starts (the position moved without a
    // drawn motion) has no corner with it: it is drawn as it stands.
    if (!(held.End == line.start)) {
        FlushHeldLine();
        return;
    }
    CornerFilletData rec{};
    rec.p0 = V(held.Start);
    rec.corner = V(held.End);
    rec.p2 = V(line.end);
    rec.radius = st_.CornerRadius;
    const bool fillet = CVectoMatrix::CornerFillet(rec) == 0;
    // Any failed fillet leaves a sharp corner (the record holds no usable points then).
    const CxyzData t1 = fillet ? P(rec.corner) : held.End;
    const CxyzData t2 = fillet ? P(rec.t2) : held.End;
    const CxyzData centre = P(rec.centre);

    st_.HeldLineValid = 0;
    double length = 0.0;
    EmitHeld(*db_, held, t1, held.Info, HeadA(), HeadC(), r_.HeldLineNo, r_.PartNo, length);
    CountFeed(length, held.Info.classBits);
    line.start = t2;
    if (!fillet) return;
    r_.CornerArc = {t1, CornerArcMiddle(centre, t1, t2, st_.CornerRadius), t2};
    r_.CornerArcMade = 1;

    const double radius = st_.CornerRadius;
    const CxyzData& p0 = held.Start;
    const CxyzData& p1 = held.End;
    const CxyzData& p2 = line.end;
    const bool flat = std::fabs(p0.z - p1.z) < 0.001 && std::fabs(p1.z - t2.z) < 0.001 &&
                      std::fabs(t2.z - p2.z) < 0.001;
    if (flat) {
        int side = 0;
        (void)CCalculate::CalcPositionLength(p0, p1, p2, side);
        const double a1 = Atan2Deg(t1.y - centre.y, t1.x - centre.x);
        const double a2 = Atan2Deg(t2.y - centre.y, t2.x - centre.x);
        double start = side == -1 ? a1 : a2;
        const double end = side == -1 ? a2 : a1;
        const int dir = side == -1 ? 0 : 1;
        if (start > end) start -= 360.0;
        auto* arc = new CDtbArc(centre, radius, start, end, dir, line.info, HeadA(), HeadC());
        const NcElmInfo info = ArcElmInfo(*arc);
        AddElementTexts(*arc, r_.LineNo, r_.PartNo, &info);
        db_->AppendDtb(arc);
        CountFeed(arc->GetElementLength(), line.info.classBits);
        return;
    }
    // A corner in space: chords of about 5 degrees in the fillet's plane.
    double sweep = 0.0;
    (void)CVectoMatrix::AngleBetween(V(t1 - centre), V(t2 - centre), sweep);
    double start = 0.0, end = sweep;
    NormalizeArcSweep(0, &start, &end, radius);
    CDtbNode* node = NewDividedArcNode();
    AddElementTexts(*node, r_.HeldLineNo, r_.PartNo, nullptr);
    db_->AppendDtb(node);
    db_->NodeUp(node);
    const int n = std::max(1, static_cast<int>((end - start) / 5.0));
    const double step = (end - start) / n;
    double total = 0.0;
    for (int i = 0; i < n; ++i) {
        const CxyzData a = OnCircle(centre, rec.frame, radius, start + i * step, 0.0);
        const CxyzData b = OnCircle(centre, rec.frame, radius, start + (i + 1) * step, 0.0);
        auto* piece = new CDtbLine(a, b, line.info, HeadA(), HeadC());
        AddElementTexts(*piece, r_.LineNo, r_.PartNo, nullptr);
        db_->AppendDtb(piece);
        const double len = piece->GetElementLength3D();
        CountPiece(len);
        total += len;
    }
    db_->NodeDown();
    AddElmInfoText(node->attributes, DividedArcElmInfo(t1, t2, centre, radius, total));
}

NcHookFlow NcBlockInterpreter::Linear() {
    // A move to where the tool stands draws nothing; its M codes and calls still act.
    if (SameExactly(st_.TargetPos, st_.CurrentPos)) return kFlowToDispatch;
    CDtbLine line(st_.CurrentPos, st_.TargetPos, FeedInfo(), HeadA(), HeadC());
    if (st_.HeldLineValid != 0) ResolveCorner(line);
    if (IsGiven(w_.R)) {
        st_.HeldLineValid = 1;
        st_.CornerRadius = w_.R;
        st_.HeldLine =
            NcHeldLine{line.start, line.end, line.info, line.headAngleA, line.headAngleC};
        r_.HeldLineNo = r_.LineNo;
        st_.LastElementEnd = line.end;
        st_.PrevCode = 10;
        return kFlowToCommit;
    }
    st_.HeldLineValid = 0;
    auto* drawn = new CDtbLine(line);
    const NcElmInfo info = LineElmInfo(*drawn);
    AddElementTexts(*drawn, r_.LineNo, r_.PartNo, &info);
    db_->AppendDtb(drawn);
    CountFeed(drawn->GetElementLength3D(), drawn->info.classBits);
    st_.LastElementEnd = drawn->end;
    st_.PrevCode = 10;
    return kFlowContinue;
}

NcHookFlow NcBlockInterpreter::Circular(int code) {
    FlushHeldLine();
    const CxyzData& from = st_.CurrentPos;
    const CxyzData& to = st_.TargetPos;
    double cx = 0.0, cy = 0.0;
    if (IsGiven(w_.R)) {
        double radius = w_.R;
        if (std::fabs(radius) < 0.001) return kFlowToCommit;
        const bool longArc = radius < -0.001;
        radius = std::fabs(radius);
        w_.R = radius;
        // The centre lies at exactly |R| from both ends. A chord longer than the diameter by
        // rounding (at most 0.001) is a half circle about its midpoint; a longer one draws
        // nothing.
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double d = std::hypot(dx, dy);
        if (d < 1e-6) return kFlowToCommit;
        const double half = d / 2.0;
        if (half > radius + 0.0005) return kFlowToCommit;
        const double h = half >= radius ? 0.0 : std::sqrt(radius * radius - half * half);
        const double mx = from.x + dx / 2.0, my = from.y + dy / 2.0;
        // Right of the chord (seen along the travel) for a short clockwise arc.
        const bool right = (code == 2) != longArc;
        const double sgn = right ? 1.0 : -1.0;
        cx = mx + sgn * h * dy / d;
        cy = my - sgn * h * dx / d;
    } else if (Settings().ArcAbsInc == 1) {
        double i = IsGiven(w_.I) ? w_.I : 0.0;
        double j = IsGiven(w_.J) ? w_.J : 0.0;
        if (std::fabs(st_.RotAngle) >= 0.001) {
            RotatePoint(&i, &j, 0.0, 0.0, st_.RotAngle);
            w_.I = i;
            w_.J = j;
        }
        cx = from.x + i;
        cy = from.y + j;
    } else {
        // Absolute centre words; without any given so far there is no centre.
        if (!IsGiven(st_.ModalI) || !IsGiven(st_.ModalJ)) return kFlowToCommit;
        cx = st_.ModalI + st_.G92Base.x + st_.LocalShift.x + st_.PartOrigin.x;
        cy = st_.ModalJ + st_.G92Base.y + st_.LocalShift.y + st_.PartOrigin.y;
        if (std::fabs(st_.RotAngle) >= 0.001) {
            RotatePoint(&cx, &cy, st_.RotCentre.x, st_.RotCentre.y, st_.RotAngle);
        }
    }
    const CxyzData programmed(cx, cy, to.z);
    CxyzData centre = programmed;
    const double pa1 = Atan2Deg(from.y - cy, from.x - cx);
    const double pa2 = Atan2Deg(to.y - cy, to.x - cx);
    double a1 = pa1, a2 = pa2;
    double r = std::hypot(to.x - cx, to.y - cy);

    // An arc whose start lies off the circle through its end is drawn about a corrected centre
    // with the mean radius.
    // The point of the circle in the direction of p is c + r * (p - c) / |p - c| (at angle 0
    // when p is the centre): p lies off the circle when it differs from it by 1e-6 or more in
    // x or y. Computed without the round trip through the angle.
    auto offCircle = [&](const CxyzData& p) {
        const double dx = p.x - cx, dy = p.y - cy;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d == 0.0) return r >= 1e-6;
        const double k = 1.0 - r / d;
        return std::fabs(dx * k) >= 1e-6 || std::fabs(dy * k) >= 1e-6;
    };
    const bool off = offCircle(from) || offCircle(to);
    if (off) {
        r = (std::hypot(from.x - cx, from.y - cy) + std::hypot(to.x - cx, to.y - cy)) / 2.0;
        CxyData p1, p2;
        int count = 0;
        const int res = ArcArcIntersect(from, to, r, r, {0.0, 360.0}, {0.0, 360.0}, p1, p2, count);
        if (res == 0 && count > 0) {
            CxyData c = p1;
            if (count == 2 && std::hypot(p2.x - cx, p2.y - cy) < std::hypot(p1.x - cx, p1.y - cy)) {
                c = p2;
            }
            centre.x = c.x;
            centre.y = c.y;
            a1 = Atan2Deg(from.y - c.y, from.x - c.x);
            a2 = Atan2Deg(to.y - c.y, to.x - c.x);
        }
    }
    auto arrange = [&](double first, double second, double& s, double& e, int& dir) {
        if (code == 2) {
            s = second;
            e = first;
            dir = 1;
        } else {
            s = first;
            e = second;
            dir = 0;
        }
        if (s > e - 1e-6) s -= 360.0;
        NormalizeArcSweep(0, &s, &e, r);
    };
    double s = 0.0, e = 0.0, ps = 0.0, pe = 0.0;
    int dir = 0, pdir = 0;
    arrange(a1, a2, s, e, dir);
    arrange(pa1, pa2, ps, pe, pdir);

    auto* arc = new CDtbArc(centre, r, s, e, dir, FeedInfo(), HeadA(), HeadC());
    const CDtbArc asProgrammed(programmed, r, ps, pe, pdir);
    const NcElmInfo info = ArcElmInfo(asProgrammed);
    AddElementTexts(*arc, r_.LineNo, r_.PartNo, &info);
    db_->AppendDtb(arc);
    CountFeed(arc->GetElementLength(), arc->info.classBits);
    arc->GetEndPoint(st_.LastElementEnd);
    st_.PrevCode = code * 10;
    return kFlowContinue;
}

NcHookFlow NcBlockInterpreter::Circle() {
    if (!IsGiven(w_.D)) return kFlowContinue;
    FlushHeldLine();
    Mat3 m{};
    const HeadAngles angles{HeadAngle(st_.ModalC), HeadAngle(st_.ModalA)};
    if (CVectoMatrix::HeadRotationMatrix(Settings().HeadType, angles, m) != 0) {
        return kFlowHeadFrameFailed;
    }
    const CxyzData centre = st_.TargetPos;
    const double r = w_.D / 2.0;
    const bool xyz = IsGiven(w_.X) && IsGiven(w_.Y) && IsGiven(w_.Z);
    // The chords start at the angle (and height) of the approach, so that the drawing stays
    // connected when the block gives a start direction.
    const double theta = xyz ? Atan2Deg(w_.Y, w_.X) : 0.0;
    const double z0 = xyz ? w_.Z : 0.0;
    const CxyzData q = OnCircle(centre, m, r, theta, z0);

    CDtbLine approach(centre, q, FeedInfo(), HeadA(), HeadC());
    const bool moves = !(q == centre);
    if (moves) {
        const NcElmInfo info = LineElmInfo3(approach);
        AddElementTexts(approach, r_.LineNo, r_.PartNo, &info);
        db_->AppendDtb(new CDtbLine(approach));
        CountFeed(approach.GetElementLength3D(), approach.info.classBits);
        st_.LastElementEnd = q;
    }
    CDtbNode* node = NewDividedArcNode();
    AddElementTexts(*node, r_.LineNo, r_.PartNo, nullptr);
    db_->AppendDtb(node);
    db_->NodeUp(node);
    double total = 0.0;
    for (int i = 0; i < 72; ++i) {
        auto* piece = new CDtbLine(approach);
        piece->start = OnCircle(centre, m, r, theta + 5.0 * i, z0);
        piece->end = OnCircle(centre, m, r, theta + 5.0 * (i + 1), z0);
        piece->headAngleA = HeadA();
        piece->headAngleC = HeadC();
        AddElementTexts(*piece, r_.LineNo, r_.PartNo, nullptr);
        db_->AppendDtb(piece);
        const double len = piece->GetElementLength3D();
        CountPiece(len);
        total += len;
    }
    db_->NodeDown();
    AddElmInfoText(node->attributes, DividedArcElmInfo(q, q, centre, r, total));
    if (moves) {
        auto* retreat = new CDtbLine(approach);
        retreat->start = q;
        retreat->end = centre;
        const NcElmInfo info = LineElmInfo3(*retreat);
        AddElementTexts(*retreat, r_.LineNo, r_.PartNo, &info);
        db_->AppendDtb(retreat);
        CountFeed(retreat->GetElementLength3D(), retreat->info.classBits);
        st_.LastElementEnd = centre;
    }
    st_.PrevCode = 80;
    return kFlowContinue;
}
