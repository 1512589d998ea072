// The approach, lead-out and joint walk over the top-level chain of a DXF work copy.
#include "kernel/io/ApproachJoint.h"

#include <algorithm>
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/DtbWalk.h"
#include "kernel/geom/PlaneGeometry.h"

namespace {

constexpr double kConnected = 0.01;  // two ends closer than this are connected
constexpr double kFar = 1e15;

double Dist(const CxyData& a, const CxyData& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool IsLineOrArc(const CDtbElement* e) {
    return e && (e->IsLine() || e->IsArc());
}

int ClassOf(const CDtbElement* e) {
    return DtbInfoOf(e)->classBits;
}

// Groups, points, rapid traverses and elements already marked leave the walk state alone.
bool PassedOver(const CDtbElement* e) {
    return !IsLineOrArc(e) || ClassOf(e) == kDtbClassRapid || e->GetOption(7) != 0;
}

bool IsOpenCut(const CDtbElement* e) {
    return IsLineOrArc(e) && ClassOf(e) == kDtbClassCut && e->GetOption(7) == 0;
}

double LengthOf(const CDtbElement* e) {
    if (const CDtbLine* l = DtbCast<CDtbLine>(e)) return l->GetElementLength3D();
    return DtbCast<CDtbArc>(e)->GetElementLength();
}

double& PathEndAngle(CDtbArc& a) {
    return a.direction ? a.startAngle : a.endAngle;
}
double& PathStartAngle(CDtbArc& a) {
    return a.direction ? a.endAngle : a.startAngle;
}

// End of a following element when it is a line or arc other than a rapid; else far away.
CxyData FollowingEnd(const CDtbElement* n) {
    if (!IsLineOrArc(n) || ClassOf(n) == kDtbClassRapid) return CxyData(kFar, kFar);
    return DtbEndOf(n);
}

}  // namespace

CxyData DtbStartOf(const CDtbElement* e) {
    CxyData p;
    if (const CDtbLine* l = DtbCast<CDtbLine>(e)) {
        p.AssignXY(l->start);
    } else if (const CDtbArc* a = DtbCast<CDtbArc>(e)) {
        a->GetStartPoint(p);
    }
    return p;
}

CxyData DtbEndOf(const CDtbElement* e) {
    CxyData p;
    if (const CDtbLine* l = DtbCast<CDtbLine>(e)) {
        p.AssignXY(l->end);
    } else if (const CDtbArc* a = DtbCast<CDtbArc>(e)) {
        a->GetEndPoint(p);
    }
    return p;
}

bool ApproachJoint::IsJointLength(double x) const {
    return std::fabs(x) < joint_ + 1e-8;
}

bool ApproachJoint::Mark(CDtbElement* e) {
    if (mode_ == 0) {
        work_.DeleteDtb(e, e, 1);
        return true;
    }
    e->SetOption(7, kOptionApproach);
    return false;
}

void ApproachJoint::DropRun() {
    run_.clear();
    runOpen_ = false;
    pointCount_ = 0;
    runLength_ = 0.0;
}

bool ApproachJoint::InRun(const CDtbElement* e, size_t* index) const {
    for (size_t i = 0; i < run_.size(); ++i) {
        if (run_[i].element == e) {
            if (index) *index = i;
            return true;
        }
    }
    return false;
}

void ApproachJoint::Run() {
    CDtbElement* e = work_.GetFirstElement();
    while (e) {
        if (PassedOver(e)) {
            e = e->link.next;
            continue;
        }

        CxyData s = DtbStartOf(e);
        CxyData t = DtbEndOf(e);
        int c = ClassOf(e);
        const CDtbElement* n1 = e->link.next;
        const CDtbElement* n2 = n1 ? n1->link.next : nullptr;
        const CxyData t1 = FollowingEnd(n1);
        const CxyData t2 = FollowingEnd(n2);

        bool handleCut = true;  // false: straight to the bookkeeping
        bool deleted = false;
        CDtbElement* afterE = e->link.next;
        const double gap = Dist(prevEnd_, s);
        if (gap < kConnected && leadOut_) {
            deleted = Mark(e);
            handleCut = false;
        } else if (gap < kConnected) {
            // connected: go on with the contour
        } else if (!runOpen_ || c != kDtbClassCut) {
            leadOut_ = false;
        } else {
            // The head jumped inside a contour: a joint left uncut when the jump is short.
            Bridge bridge = BridgeJoint(prevElement_, e);
            if (bridge.result != 0 && bridge.result != 1) {
                DropRun();
                leadOut_ = false;
                handleCut = false;
            } else {
                // The element before the jump is handled again, so it leaves the run and
                // comes back with its new end.
                size_t at = 0;
                InRun(bridge.b, &at);
                for (size_t i = at; i < run_.size(); ++i) runLength_ -= run_[i].length;
                run_.resize(at);
                while (pointCount_ > 0 && points_[pointCount_ - 1].index >= at) --pointCount_;
                e = bridge.b;
                s = DtbStartOf(e);
                t = DtbEndOf(e);
                c = ClassOf(e);
            }
        }

        double added = 0.0;
        CDtbElement* inserted = nullptr;
        if (handleCut && c == kDtbClassCut) {
            added = LengthOf(e);
            runLength_ += added;

            bool nearFull = false;
            CDtbArc* arc = DtbCast<CDtbArc>(e);
            if (arc) {
                const double rest = 360.0 - arc->GetSweep();
                nearFull = rest < 10.0 && IsJointLength(2.0 * arc->radius * TanDeg(rest / 2.0));
            }

            // Closing search among the ends of the first run elements.
            const size_t limit = std::min({run_.size(), pointCount_, size_t{4}});
            size_t found = limit;
            double foundDt = 0.0;
            for (size_t i = 0; i < limit; ++i) {
                const double dT = Dist(t, points_[i].point);
                const double dS = Dist(s, points_[i].point);
                const bool jT = IsJointLength(dT);
                const bool jS = IsJointLength(dS);
                if ((jT && !jS) || (jT && jS && nearFull) || dT < kConnected) {
                    found = i;
                    foundDt = dT;
                    break;
                }
            }
            if (found < limit && found + 1 < limit && Dist(t, points_[found + 1].point) <= foundDt)
                ++found;

            // A following element that ends on the closing point closes better: put off.
            if (found < limit && Dist(t1, points_[found].point) >= kConnected &&
                Dist(t2, points_[found].point) >= kConnected) {
                const CxyData p = points_[found].point;
                const size_t last = points_[found].index;
                // Taken before the approach goes: in mode 0 it is deleted.
                CDtbElement* q = last + 1 < run_.size() ? run_[last + 1].element : nullptr;
                for (size_t k = 0; k <= last; ++k) Mark(run_[k].element);

                if (std::fabs(p.x - t.x) < kConnected && std::fabs(p.y - t.y) < kConnected) {
                    if (q) FitClosingElement(e, s, DtbStartOf(q));
                } else if (nearFull) {
                    arc->startAngle = 0.0;
                    arc->endAngle = 360.0;
                } else {
                    CxyzData end;
                    CDtbInfo info;
                    if (CDtbLine* l = DtbCast<CDtbLine>(e)) {
                        end = l->end;
                        info = l->info;
                    } else {
                        arc->GetEndPoint(end);
                        info = arc->info;
                    }
                    auto* line = new CDtbLine(CxyzData(p.x, p.y, end.z), end, info);
                    if (mode_ == 1) line->SetOption(7, kOptionJoint);
                    work_.InsertDtb(line, e, 0);
                    inserted = line;
                }
                leadOut_ = true;
                DropRun();
            }
        }

        // Bookkeeping.
        if (c == kDtbClassCut && !leadOut_ && !deleted) {
            runOpen_ = true;
            if (pointCount_ < 4 && check_ >= runLength_) points_[pointCount_++] = {t, run_.size()};
            run_.push_back({e, added});
        }
        prevElement_ = deleted ? nullptr : e;
        prevEnd_ = t;
        if (deleted) {
            e = afterE;
        } else if (inserted) {
            e = inserted->link.next;
        } else {
            e = e->link.next;
        }
    }
}

ApproachJoint::Bridge ApproachJoint::BridgeJoint(CDtbElement* b0, CDtbElement* f0) {
    Bridge out;
    if (!b0 || !f0) return out;

    // Candidates: the open run's cutting elements among B0 and the two before it, and the
    // unmarked cutting elements among F0 and the two after it. The last pair found wins.
    CDtbElement* bestB = nullptr;
    CDtbElement* bestF = nullptr;
    CDtbElement* b = b0;
    for (int i = 0; i < 3 && b; ++i, b = b->link.prev) {
        if (!InRun(b) || !IsOpenCut(b)) continue;
        CDtbElement* f = f0;
        for (int j = 0; j < 3 && f; ++j, f = f->link.next) {
            if (!IsOpenCut(f)) continue;
            if (IsJointLength(Dist(DtbEndOf(b), DtbStartOf(f)))) {
                bestB = b;
                bestF = f;
            }
        }
    }
    if (!bestB) return out;

    // The join is computed first: a failed join marks nothing.
    const int joined = Join(bestB, bestF);
    if (joined < 0) {
        out.result = -1;
        return out;
    }

    size_t at = 0;
    InRun(bestB, &at);
    std::vector<CDtbElement*> marked;
    for (size_t i = at + 1; i < run_.size(); ++i) marked.push_back(run_[i].element);
    for (CDtbElement* f = f0; f && f != bestF; f = f->link.next)
        if (IsLineOrArc(f) && ClassOf(f) != kDtbClassRapid && f->GetOption(7) == 0)
            marked.push_back(f);
    for (CDtbElement* m : marked) Mark(m);
    if (joined == 1) work_.DeleteDtb(bestF, bestF, 1);

    out.b = bestB;
    out.result = joined;
    return out;
}

int ApproachJoint::Join(CDtbElement* b, CDtbElement* f) {
    if (CDtbLine* bl = DtbCast<CDtbLine>(b)) {
        bl->end.AssignXY(DtbStartOf(f));
        return 0;
    }
    CDtbArc* ba = DtbCast<CDtbArc>(b);
    if (CDtbLine* fl = DtbCast<CDtbLine>(f)) {
        fl->start.AssignXY(DtbEndOf(b));
        return 0;
    }
    CDtbArc* fa = DtbCast<CDtbArc>(f);
    if (Dist(ba->centre, fa->centre) < kConnected) {
        // Two pieces of one circle: the first takes over the second's end.
        if (ba->direction == 0) {
            ba->endAngle = fa->endAngle;
        } else {
            ba->startAngle = fa->startAngle;
        }
        NormalizeArcSweep(0, &ba->startAngle, &ba->endAngle, ba->radius);
        return 1;
    }
    SweepAngles bs{ba->startAngle, ba->endAngle};
    SweepAngles fs{fa->startAngle, fa->endAngle};
    (ba->direction == 0 ? bs.end : bs.start) += ba->direction == 0 ? 5.0 : -5.0;
    (fa->direction == 0 ? fs.start : fs.end) += fa->direction == 0 ? -5.0 : 5.0;
    CxyData p1;
    CxyData p2;
    int count = 0;
    if (ArcArcIntersect(ba->centre, fa->centre, ba->radius, fa->radius, bs, fs, p1, p2, count) !=
            0 ||
        count == 0)
        return -1;
    PathEndAngle(*ba) = Atan2Deg(p1.y - ba->centre.y, p1.x - ba->centre.x);
    PathStartAngle(*fa) = Atan2Deg(p1.y - fa->centre.y, p1.x - fa->centre.x);
    NormalizeArcSweep(0, &ba->startAngle, &ba->endAngle, ba->radius);
    NormalizeArcSweep(0, &fa->startAngle, &fa->endAngle, fa->radius);
    return 0;
}

void ApproachJoint::FitClosingElement(CDtbElement* e, const CxyData& s, const CxyData& q) {
    if (CDtbLine* l = DtbCast<CDtbLine>(e)) {
        l->end.AssignXY(q);
        return;
    }
    CDtbArc* a = DtbCast<CDtbArc>(e);
    const CxyData m(a->centre.x, a->centre.y);
    a->radius = (Dist(s, m) + Dist(q, m)) / 2.0;
    CxyData p1;
    CxyData p2;
    int count = 0;
    if (ArcArcIntersect(s, q, a->radius, a->radius, SweepAngles{0.0, 360.0},
                        SweepAngles{0.0, 360.0}, p1, p2, count) != 0)
        return;  // S and q coincide
    CxyData centre = m;
    if (count == 2) {
        centre = Dist(p2, m) <= Dist(p1, m) ? p2 : p1;
    } else if (count == 1) {
        centre = p1;
    }
    a->centre.AssignXY(centre);
    const double angleS = Atan2Deg(s.y - centre.y, s.x - centre.x);
    const double angleQ = Atan2Deg(q.y - centre.y, q.x - centre.x);
    if (a->direction == 0) {
        a->startAngle = angleS;
        a->endAngle = angleQ;
    } else {
        a->startAngle = angleQ;
        a->endAngle = angleS;
    }
    if (a->startAngle > a->endAngle - 1e-6) a->startAngle -= 360.0;
    NormalizeArcSweep(0, &a->startAngle, &a->endAngle, a->radius);
}
