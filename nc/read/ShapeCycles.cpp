// Shape cycles of motion codes 111 (rectangles) and 112 (slots and circles).
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcPens.h"

namespace {

// Sizes below this make no shape.
constexpr double kSizeTol = 0.001;

enum class CycleForm { SharpRectangle, RoundedRectangle, ChamferedRectangle, Slot, Circle };

CxyzData Along(const CxyzData& p, double length, double angle) {
    return CxyzData(p.x + length * CosDeg(angle), p.y + length * SinDeg(angle), p.z);
}

// The outline of one cycle as a chain from the end of its lead-in. Straight pieces and chamfers
// are copies of the lead-in (with its texts); the first corner arc is new, later ones copies of
// it. No piece carries head angles.
class CycleChain {
public:
    CycleChain(CDtbEngine& db, CNcRead& reader, const CDtbLine& leadIn)
        : db_(db), reader_(reader), leadIn_(leadIn), at_(leadIn.end) {}

    void Line(double length, double angle) { AppendLine(Along(at_, length, angle), true); }
    // One diagonal line across a corner: size in direction first, then size in direction second.
    void Chamfer(double size, double first, double second) {
        AppendLine(Along(Along(at_, size, first), size, second), false);
    }
    // An arc of radius r from angle a0 to a1 about the point r away in direction toCentre.
    // gap: arc length taken off its end (0 none).
    void Arc(double r, double toCentre, double a0, double a1, bool normalise, double gap = 0.0) {
        const CxyzData centre = Along(at_, r, toCentre);
        if (normalise) NormalizeArcSweep(1, &a0, &a1, r);
        CDtbArc* arc = nullptr;
        if (firstArc_ == nullptr) {
            CDtbInfo info = leadIn_.info;
            info.startMark = 0;
            info.endMark = 0;
            arc = new CDtbArc(centre, r, a0, a1, 0, info);
        } else {
            arc = new CDtbArc(*firstArc_);
            arc->centre = centre;
            arc->radius = r;
            arc->startAngle = a0;
            arc->endAngle = a1;
            arc->direction = 0;
        }
        if (gap != 0.0) {
            // A gap as long as the arc or longer leaves no arc: shortening it that far would
            // wrap round into an almost full circle.
            if (gap >= arc->GetElementLength() - kSizeTol) {
                delete arc;
                return;
            }
            (void)arc->Stretch(1, -gap);
        }
        AddElmInfoText(arc->attributes, ArcElmInfo(*arc));
        AddElementTexts(*arc, reader_.LineNo, reader_.PartNo, nullptr);
        db_.AppendDtb(arc);
        if (firstArc_ == nullptr) firstArc_ = arc;
        NcCountPiece(reader_.State, arc->GetElementLength());
        arc->GetEndPoint(at_);
    }

private:
    void AppendLine(const CxyzData& to, bool infoLast) {
        auto* line = new CDtbLine(leadIn_);
        line->start = at_;
        line->end = to;
        const NcElmInfo info = LineElmInfo1(*line);
        if (infoLast) {
            AddElementTexts(*line, reader_.LineNo, reader_.PartNo, &info);
        } else {
            AddElmInfoText(line->attributes, info);
            AddElementTexts(*line, reader_.LineNo, reader_.PartNo, nullptr);
        }
        db_.AppendDtb(line);
        NcCountPiece(reader_.State, line->GetElementLength3D());
        at_ = to;
    }

    CDtbEngine& db_;
    CNcRead& reader_;
    const CDtbLine& leadIn_;
    CxyzData at_;
    const CDtbArc* firstArc_ = nullptr;
};

}  // namespace

// Returns 0 when the shape has no size (nothing is made), else 1. The caller ignores it.
int CNcRead::ExpandShapeCycle(int code, CDtbEngine* elements) {
    CNcReadState& st = State;
    const bool sizeWords = IsGiven(Block.I) || IsGiven(Block.J);
    const double w1 = st.ModalI;
    double w2 = 0.0;
    if (sizeWords) {
        w2 = IsGiven(Block.J) ? Block.J : w1;
    } else {
        if (!IsGiven(w1)) return 0;
        w2 = IsGiven(st.ModalJ) ? st.ModalJ : w1;
    }
    // A length never given (a J word alone), or sizes of zero or less, make no shape.
    if (!IsGiven(w1) || !(w1 >= kSizeTol) || !(w2 >= kSizeTol) || !std::isfinite(w1) ||
        !std::isfinite(w2)) {
        return 0;
    }
    st.ModalJ = w2;

    const double k = IsGiven(Block.K) ? Block.K : 0.0;
    const double d = IsGiven(Block.Q) ? Block.Q : (w2 >= 20.0 ? 10.0 : w2 / 2.0);
    const double gap = IsGiven(Block.H) ? Block.H : 0.0;
    CycleForm form = CycleForm::SharpRectangle;
    double r = 0.0;
    if (code == 111) {
        if (IsGiven(Block.R) && Block.R > 0.0) {
            form = CycleForm::RoundedRectangle;
            r = Block.R;
        } else if (IsGiven(Block.C) && Block.C > 0.0) {
            form = CycleForm::ChamferedRectangle;
            r = Block.C;
        }
    } else {
        form = std::fabs(w1 - w2) < 0.001 ? CycleForm::Circle : CycleForm::Slot;
        r = w2 / 2.0;
    }

    CDtbEngine scratch;
    CDtbEngine& db = elements != nullptr ? *elements : scratch;
    const CxyzData centre = st.TargetPos;

    // Rapid to the pierce point inside the shape.
    const CxyzData p0 = Along(centre, w1 / 2.0 - d, k);
    auto* rapid = new CDtbLine(st.LastElementEnd, p0, NcRapidInfo(*this));
    const NcElmInfo rapidInfo = LineElmInfo1(*rapid);
    AddElementTexts(*rapid, LineNo, PartNo, &rapidInfo);
    db.AppendDtb(rapid);
    st.RapidLength += rapid->GetElementLength3D();
    st.LastElementEnd = p0;
    st.PrevCode = code * 10;

    // Lead-in to the middle of the edge on the shape's axis.
    auto* leadIn = new CDtbLine(p0, Along(p0, d, k), NcFeedInfo(*this));
    const NcElmInfo leadInfo = LineElmInfo1(*leadIn);
    AddElementTexts(*leadIn, LineNo, PartNo, &leadInfo);
    db.AppendDtb(leadIn);
    NcCountPiece(st, leadIn->GetElementLength3D());

    CycleChain chain(db, *this, *leadIn);
    const bool rounded = form == CycleForm::RoundedRectangle || form == CycleForm::Slot;
    const bool chamfered = form == CycleForm::ChamferedRectangle;
    const bool rectangle = form != CycleForm::Slot && form != CycleForm::Circle;

    if (rectangle) chain.Line(w2 / 2.0 - r, k + 90.0);        // a
    if (rounded) chain.Arc(r, k - 180.0, k, k + 90.0, true);  // b
    if (chamfered) chain.Chamfer(r, k + 90.0, k + 180.0);
    if (form == CycleForm::Circle) {
        chain.Arc(r, k - 180.0, k, k + 360.0, false);
        return 1;
    }
    chain.Line(w1 - 2.0 * r, k - 180.0);  // c
    if (form == CycleForm::RoundedRectangle)
        chain.Arc(r, k - 90.0, k + 90.0, k + 180.0, true);  // d
    if (form == CycleForm::Slot) chain.Arc(r, k - 90.0, k + 90.0, k + 270.0, true);
    if (chamfered) chain.Chamfer(r, k + 180.0, k + 270.0);
    if (rectangle) chain.Line(w2 - 2.0 * r, k - 90.0);                                     // e
    if (form == CycleForm::RoundedRectangle) chain.Arc(r, k, k + 180.0, k + 270.0, true);  // f
    if (chamfered) chain.Chamfer(r, k + 270.0, k);
    chain.Line(w1 - 2.0 * r, k);  // g
    if (rounded) {
        // h; only the slot's last arc keeps the gap.
        chain.Arc(r, k + 90.0, k + 270.0, k + 360.0, true, form == CycleForm::Slot ? gap : 0.0);
    }
    if (chamfered) chain.Chamfer(r, k, k + 90.0);
    if (rectangle) {
        // i: the last half side, shortened by the gap (never past its start).
        const double last = w2 / 2.0 - r - gap;
        if (gap == 0.0 || last > 0.0) chain.Line(last, k + 90.0);
    }
    return 1;
}
